#pragma once
// The one list of the analyses this program is built with, in the order the
// command line's --help lists them. CMake writes it from TAVELMARK_ANALYSES
// (analysis_list.cpp.in): adding an analysis is adding its folder's name there.
#include "report/analysis_registration.h"

namespace tavelmark::analyses {

report::AnalysisCatalogue Analyses();

}  // namespace tavelmark::analyses
