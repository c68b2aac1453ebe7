#pragma once
// The bar chart of the two rates with their 95 % limits on the extended
// rates sheet.
#include "analyses/rates/extended_rates.h"
#include "model/workbook.h"

namespace tavelmark::rates {

// From `row` on: the chart, a bar per group (R, then T) with error bars
// from its Wilson lower to its upper limit, and the table it is drawn from.
void AddRatesBarChart(model::Sheet& sheet, int row, const ExtendedRates& results);

}  // namespace tavelmark::rates
