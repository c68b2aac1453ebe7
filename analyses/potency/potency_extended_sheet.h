#pragma once
// The "扩展结果" sheet of the potency comparison.
#include "analyses/potency/potency_extended.h"
#include "model/workbook.h"

namespace tavelmark::potency {

// Adds the sheet after the report's own: the three kinds of limits of each
// relative potency, the Pearson-difference parallelism statistic, the ratio
// test's limits without h, and the other link's comparison.
void WritePotencyExtended(model::Workbook& book, const PotencyResults& results, const PotencyExtended& extended);

}  // namespace tavelmark::potency
