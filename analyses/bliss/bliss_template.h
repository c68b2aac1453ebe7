#pragma once
// What the menu command writes into the Bliss input grid, and the window's
// online help.
#include "model/input_grid.h"
#include "report/help_text.h"

namespace tavelmark::bliss {

inline constexpr const char* kBlissSheetName = "CalInput";

// Headings, group numbers, the worked example in rows 2 to 7, blue boxes and
// number formats. Rows 8 to 13 of columns B to D keep what the user typed.
void WriteBlissTemplate(model::InputGrid& grid);

// The 在线帮助 box of the data-entry window.
report::HelpBox BlissHelpBox();

}  // namespace tavelmark::bliss
