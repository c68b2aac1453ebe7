#pragma once
// The several-groups comparison as the programs around it know it.
#include "report/analysis_registration.h"

namespace tavelmark::multigroup {

const report::AnalysisRegistration& Registration();

}  // namespace tavelmark::multigroup
