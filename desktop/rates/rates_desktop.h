#pragma once
// The two-group rates analysis in the desktop program: its menu entries and window.
#include "ui/desktop_analysis.h"

namespace tavelmark::rates::desktop {

const ui::DesktopAnalysis& Registration();

}  // namespace tavelmark::rates::desktop
