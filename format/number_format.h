#pragma once
// A number shown through a cell's number format, as the spreadsheet would
// show it: enough of the format language for the formats our templates and
// reports use ("General", "0.0000_ ", "#####0.0000", "0.00_ ", "0%", "0.00%")
// and its common relatives: placeholders 0 # ?, thousands and scaling commas,
// "_x" pads (one space), quoted and escaped literals, "E+00", and up to three
// sections (positive;negative;zero). Rounding is half away from zero on the
// value's 15 significant decimal digits. A value that is not finite shows as
// "#NUM!".
#include <string>
#include <string_view>

namespace tavelmark::format {

std::string FormatNumber(double v, std::string_view numberFormat);

// Whether a cell with this number format shows numbers in the General format
// (any case, blanks around it; an empty format too).
bool IsGeneralFormat(std::string_view numberFormat);

// The General format: up to 11 characters besides the sign, as a spreadsheet
// cell of standard width shows a number ("0.333333333", "123456.7891");
// scientific with up to 6 significant digits ("1.23457E+11", "1E-10") when
// the integer part needs more than 11 digits or the fixed form would show
// fewer significant digits.
std::string GeneralNumberText(double v);

// The characters a General number fills in a cell of standard width.
inline constexpr int kStandardGeneralWidth = 11;

// The General format in a cell with room for `width` characters besides the
// sign: fewer decimals, then fewer significant digits in scientific form,
// as a spreadsheet shows a number in a narrow column; empty when nothing
// fits (the spreadsheet shows ### there). A fixed form that would round to
// zero ("0" for 0.3) is never given. "#NUM!" for a value that is not finite.
std::string GeneralNumberText(double v, int width);

}  // namespace tavelmark::format
