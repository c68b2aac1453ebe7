#pragma once
// The one list of analyses as the desktop program has them, in the order of
// TAVELMARK_ANALYSES; CMake writes it (desktop_list.cpp.in).
#include "ui/desktop_analysis.h"

namespace tavelmark::desktop {

ui::DesktopCatalogue DesktopAnalyses();

}  // namespace tavelmark::desktop
