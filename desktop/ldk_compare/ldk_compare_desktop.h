#pragma once
// The LDk comparison in the desktop program: its window, behind a menu entry
// that stays disabled.
#include "ui/desktop_analysis.h"

namespace tavelmark::ldk_compare::desktop {

const ui::DesktopAnalysis& Registration();

}  // namespace tavelmark::ldk_compare::desktop
