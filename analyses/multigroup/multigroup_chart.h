#pragma once
// The report's chart: every value as a dot over its group (equal values side
// by side), each group's mean ± SD as a bar with whiskers, the marks above
// the groups that differ from the reference group, the groups' names under
// the axis; drawn from a table of its numbers written below it.
#include <vector>

#include "analyses/multigroup/multigroup_analysis.h"
#include "analyses/multigroup/multigroup_input.h"
#include "analyses/multigroup/multigroup_options.h"
#include "model/workbook.h"

namespace tavelmark::multigroup {

inline constexpr const char* kChartName = "多组均数点图";

// From `row` on: the chart, then the table of its numbers.
void AddMultigroupChart(model::Sheet& sheet, int row, const MultigroupInput& input, const MultigroupResults& results,
                        const MultigroupOptions& options);

}  // namespace tavelmark::multigroup
