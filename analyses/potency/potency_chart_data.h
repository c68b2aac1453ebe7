#pragma once
// The data table's expected rates and residuals, and the chart's points and
// lines, from the fitted results.
#include "analyses/potency/potency_results.h"

namespace tavelmark::potency {

std::vector<DataRow> DataRowsOf(const PotencyResults& results);

PotencyChartData ChartDataOf(const PotencyResults& results);

}  // namespace tavelmark::potency
