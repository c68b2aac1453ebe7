#pragma once
// The several-groups comparison in the desktop program: its menu entries and window.
#include "ui/desktop_analysis.h"

namespace tavelmark::multigroup::desktop {

const ui::DesktopAnalysis& Registration();

}  // namespace tavelmark::multigroup::desktop
