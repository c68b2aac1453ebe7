#pragma once
// The two-group rates report: the fixed test table, then the optional test
// rows and sections placed by a running row counter.
#include "analyses/rates/rates_analysis.h"
#include "analyses/rates/rates_options.h"
#include "model/workbook.h"

namespace tavelmark::rates {

inline constexpr double kRatesColumnWidth = 13.6;
inline constexpr double kRatesColumnAWidth = 20;
inline constexpr const char* kFisherNotComputed = "---";
inline constexpr const char* kInfiniteRatio = "∞";

// Writes the report into a sheet the frame has set up (title rows done);
// returns the last row written. The sheet is left with the conclusion cell of
// the last test row selected.
int WriteRatesReport(model::Sheet& sheet, const RatesResults& results, const RatesOptions& options);

}  // namespace tavelmark::rates
