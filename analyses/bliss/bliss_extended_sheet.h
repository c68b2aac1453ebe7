#pragma once
// The "扩展结果" sheet of a Bliss calculation.
#include "analyses/bliss/bliss_extended.h"
#include "model/workbook.h"

namespace tavelmark::bliss {

// Adds the sheet after the report's own: the two maximum-likelihood models,
// the common lethal doses with both kinds of limits, and the fitted probit
// curve with its band.
void WriteExtendedResults(model::Workbook& book, const BlissExtended& results);

}  // namespace tavelmark::bliss
