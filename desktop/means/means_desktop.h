#pragma once
// The two-group means analysis in the desktop program: its menu entries and window.
#include "ui/desktop_analysis.h"

namespace tavelmark::means::desktop {

const ui::DesktopAnalysis& Registration();

}  // namespace tavelmark::means::desktop
