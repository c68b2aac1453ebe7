#pragma once
// The Bliss analysis in the desktop program: its menu entry and window.
#include "ui/desktop_analysis.h"

namespace tavelmark::bliss::desktop {

const ui::DesktopAnalysis& Registration();

}  // namespace tavelmark::bliss::desktop
