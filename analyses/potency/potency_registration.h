#pragma once
// The potency comparison as the programs around it know it.
#include "report/analysis_registration.h"

namespace tavelmark::potency {

const report::AnalysisRegistration& Registration();

}  // namespace tavelmark::potency
