#pragma once
// The calculate command of the two-group rates window.
#include "analyses/rates/rates_options.h"
#include "model/input_grid.h"
#include "report/prompter.h"
#include "report/report_frame.h"
#include "report/report_outcome.h"

namespace tavelmark::rates {

// Reads and checks the counts; a refusal selects B2:C3 and opens no workbook.
// An accepted table is computed, the advisories are shown (Yates first, then
// Fisher), and the report is written into a new workbook.
report::ReportOutcome RunRates(model::InputGrid& grid, const RatesOptions& options,
                               report::Prompter& prompter, const report::ReportContext& context);

}  // namespace tavelmark::rates
