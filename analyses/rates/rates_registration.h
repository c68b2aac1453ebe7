#pragma once
// The two-group rates analysis as the programs around it know it.
#include "report/analysis_registration.h"

namespace tavelmark::rates {

const report::AnalysisRegistration& Registration();

}  // namespace tavelmark::rates
