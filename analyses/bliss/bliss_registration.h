#pragma once
// The Bliss LD50 analysis as the programs around it know it.
#include "report/analysis_registration.h"

namespace tavelmark::bliss {

const report::AnalysisRegistration& Registration();

}  // namespace tavelmark::bliss
