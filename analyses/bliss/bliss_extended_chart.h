#pragma once
// The dose-response chart of the extended Bliss results.
#include "analyses/bliss/bliss_extended.h"
#include "model/workbook.h"

namespace tavelmark::bliss {

// From `row` on: the chart of the observed rates (points), the fitted probit
// curve (line) and its 95 % band (dashed lines) against log10 dose, and the
// table of the numbers it is drawn from below it.
void AddDoseResponseChart(model::Sheet& sheet, int row, const BlissExtended& results);

}  // namespace tavelmark::bliss
