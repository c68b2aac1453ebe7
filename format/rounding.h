#pragma once
// The program's two rounding rules, side by side. Every number a user reads
// has passed through exactly one of them.
//
// 1. The report's own number texts: RoundHalfEven, behind R4, R2, SpacedText
//    and RoundedText (format/number_text.h) and the few values an analysis
//    rounds before it writes them (a sample size, an equivalence limit). The
//    report writes those digits as text, so they read the same everywhere.
//
// 2. The spreadsheet's display of a number cell through its number format:
//    the decimal digits below, behind FormatNumber and GeneralNumberText
//    (format/number_format.h), which the result window, the printed page and
//    --print use to show the numbers the report leaves as numbers.
#include <string>

namespace tavelmark::format {

// Rule 1: v rounded to `decimals` places with ties to the even digit: scale
// by 10^decimals in double arithmetic, round the product to the nearest
// integer (ties to even), scale back. So 0.125 at two places gives 0.12 and
// 2.5 at none gives 2. A value that is not finite comes back unchanged.
double RoundHalfEven(double v, int decimals);

// Rule 2: a number as the spreadsheet keeps it, 15 significant decimal
// digits, rounded half away from zero on those decimal digits, so 1.005
// shown with two decimals reads 1.01, not 1.00 as the binary value
// 1.00499999... would give.
//
// A non-negative value as 0.d1d2d3... x 10^point: digits without leading or
// trailing zeros (empty for zero); point is the number of digits before the
// decimal point (negative for values below 0.1).
struct Decimal {
    std::string digits;
    int point = 0;

    bool isZero() const { return digits.empty(); }
    // The digit at 10^-(i+1) relative to the point, i counted from the first
    // digit after the point (negative i: integer digits).
    char digitAt(int index) const {
        return index >= 0 && index < static_cast<int>(digits.size()) ? digits[index] : '0';
    }
};

// |v| to 15 significant digits, all a cell keeps.
Decimal DecimalMagnitude(double v);

// Rounded half away from zero to `decimals` places after the point.
Decimal RoundHalfAwayFromZero(Decimal d, int decimals);

}  // namespace tavelmark::format
