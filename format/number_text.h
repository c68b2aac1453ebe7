#pragma once
// Numbers turned into report text, on the report's rounding rule
// (format/rounding.h).
#include <string>
#include <string_view>

#include "format/rounding.h"

namespace tavelmark::format {

// Every text below is whole. From 1e15 on, where a fixed text would show
// more digits than a double holds, a value is written with its 15
// significant digits and an exponent instead: "1.25392437364338E+299".

// Shortest decimal text of v after RoundHalfEven: no trailing zeros, "0"
// before the point when |v| < 1, "-" for negatives ("12.5392", "0.0852", "-0.5").
std::string RoundedText(double v, int decimals);
inline std::string R4(double v) { return RoundedText(v, 4); }
inline std::string R2(double v) { return RoundedText(v, 2); }

// The same with a leading space for v >= 0 and no "0" before the point:
// " .0852", " 3.4078", "-.5".
std::string SpacedText(double v, int decimals);

// A digit pattern such as "####0.0000": rounded to as many decimals as there
// are zeros after the point, at least one digit before it, no separators,
// "-" for negatives.
std::string PatternText(double v, std::string_view pattern);

}  // namespace tavelmark::format
