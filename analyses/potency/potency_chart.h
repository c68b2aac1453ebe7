#pragma once
// The chart of the potency report: log10 dose against the response on the
// link's scale, tick labels in percent.
#include "analyses/potency/potency_results.h"
#include "model/workbook.h"

namespace tavelmark::potency {

// From `row` on: the chart (each preparation's observed points, 0 % and
// 100 % as open markers at the axis's edge, its parallel line solid and its
// own line dashed, in its colour; a 50 % reference line), and the table of
// the numbers it is drawn from below it.
void AddPotencyChart(model::Sheet& sheet, int row, const PotencyChartData& chart, numeric::QuantalLink link);

}  // namespace tavelmark::potency
