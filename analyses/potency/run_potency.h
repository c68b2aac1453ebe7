#pragma once
// The potency comparison's calculate command: read and check the grid,
// compute, write the report (and the 扩展结果 sheet when asked for).
#include "analyses/potency/potency_options.h"
#include "model/input_grid.h"
#include "report/prompter.h"
#include "report/report_frame.h"
#include "report/report_outcome.h"

namespace tavelmark::potency {

report::ReportOutcome RunPotency(model::InputGrid& grid, const PotencyOptions& options, report::Prompter& prompter,
                                 const report::ReportContext& context);

}  // namespace tavelmark::potency
