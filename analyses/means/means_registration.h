#pragma once
// The two-group means analysis as the programs around it know it.
#include "report/analysis_registration.h"

namespace tavelmark::means {

const report::AnalysisRegistration& Registration();

}  // namespace tavelmark::means
