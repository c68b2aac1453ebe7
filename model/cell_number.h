#pragma once
// Whether the text typed, pasted or loaded into a grid cell is a number.
// One rule for all three, so a value means the same wherever it came from.
#include <optional>
#include <string_view>

namespace tavelmark::model {

// The number a cell's UTF-8 text holds, or nullopt when the cell is text.
//
// A number is what a spreadsheet user writes as one: an optional sign, decimal
// digits with at most one point (".5" and "5." count), and an optional
// exponent ("1e3", "2.5E-4"), with blanks around it. Full-width forms from a
// Chinese input method ("１２．５", "－３", the ideographic space) read as their
// ASCII twins, and a no-break space as a space. Everything else is text, in particular what a double can
// hold but a user does not mean as data: "inf", "Infinity", "NaN" and
// "nan(…)" in any case or sign, hexadecimal forms ("0x1p3"), thousands
// separators, percent signs, digit-like marks ("①", "²"), and decimal numbers
// beyond the range of a double ("1e400", and "1e-400", which would otherwise
// silently become 0). A number that a double holds only with reduced
// precision (a subnormal such as 1e-320) is still a number.
std::optional<double> ReadCellNumber(std::string_view text);

}  // namespace tavelmark::model
