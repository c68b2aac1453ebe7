#pragma once
// A number shown through a cell's number format, as the spreadsheet would
// show it: enough of the format language for the formats our templates and
// reports use ("General", "0.0000_ ", "#####0.0000", "0.00_ ", "0%", "0.00%").
#include <string>
#include <string_view>

namespace tavelmark {

std::string FormatNumber(double v, std::string_view numberFormat);

// The General format: up to 11 significant characters, as a spreadsheet cell
// of standard width shows a number.
std::string GeneralNumberText(double v);

}  // namespace tavelmark
