#pragma once
// The calculate command of the several-groups window: read and check the
// grid, compute, write the report (and the 扩展结果 sheet when asked).
#include "analyses/multigroup/multigroup_options.h"
#include "model/input_grid.h"
#include "report/prompter.h"
#include "report/report_frame.h"
#include "report/report_outcome.h"

namespace tavelmark::multigroup {

report::ReportOutcome RunMultigroup(model::InputGrid& grid, const MultigroupOptions& options,
                                    report::Prompter& prompter, const report::ReportContext& context);

}  // namespace tavelmark::multigroup
