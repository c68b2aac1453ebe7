#pragma once
// The second sheet, 扩展结果: every comparison method for every pair in one
// table, every method against the reference group, Dunnett's critical value,
// and η² with its 90% limits beside the 95% ones.
#include "analyses/multigroup/multigroup_analysis.h"
#include "analyses/multigroup/multigroup_input.h"
#include "model/workbook.h"

namespace tavelmark::multigroup {

void WriteMultigroupExtended(model::Workbook& book, const MultigroupInput& input, const MultigroupResults& results);

}  // namespace tavelmark::multigroup
