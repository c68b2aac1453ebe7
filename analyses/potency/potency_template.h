#pragma once
// What the menu command writes into the potency comparison's grid, and the
// window's online help.
#include "model/input_grid.h"
#include "report/help_text.h"

namespace tavelmark::potency {

// The stored design (one sheet, columns A to D and rows 1 to 161 within
// reach, headings, blue boxes, number formats) and the worked example:
// rotenone, deguelin and their mixture on Macrosiphoniella sanborni (Martin
// 1942), each name typed once above its doses.
void WritePotencyTemplate(model::InputGrid& grid);

// The 在线帮助 box of the data-entry window.
report::HelpBox PotencyHelpBox();

}  // namespace tavelmark::potency
