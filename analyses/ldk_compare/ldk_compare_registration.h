#pragma once
// The LDk comparison as the programs around it know it.
#include "report/analysis_registration.h"

namespace tavelmark::ldk_compare {

const report::AnalysisRegistration& Registration();

}  // namespace tavelmark::ldk_compare
