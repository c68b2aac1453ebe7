#pragma once
// The potency comparison in the desktop program: its menu entry and window.
#include "ui/desktop_analysis.h"

namespace tavelmark::potency::desktop {

const ui::DesktopAnalysis& Registration();

}  // namespace tavelmark::potency::desktop
