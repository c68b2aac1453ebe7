#pragma once
// The potency comparison's report sheet.
#include "analyses/potency/potency_results.h"
#include "model/workbook.h"

namespace tavelmark::potency {

inline constexpr double kPotencyColumnWidth = 13.5;

// In the house style of the Bliss report, in this order: the data of each
// preparation; each preparation's line and its LDk table; the models' fit
// and tests; the parallel-lines model; LD50 under parallel lines; the
// relative potency of every pair; the LDk ratio test; the chart with its
// numbers. The frame (title rows, fonts, widths) is set up before.
void WritePotencyReport(model::Sheet& sheet, const PotencyResults& results);

}  // namespace tavelmark::potency
