#pragma once
// The number a percent text box holds: its longest leading decimal number.
#include <string_view>

namespace tavelmark::bliss {

// "5" -> 5, "99.9" -> 99.9, "1.2.3" -> 1.2, ".5" -> 0.5; leading blanks are
// skipped; a text without a leading number (empty, "abc", "-5") gives 0. The
// boxes only let digits and points in, so there is no sign to read.
double LeadingNumber(std::string_view text);

// The background mortality as a fraction: LeadingNumber(text) / 100.
double BackgroundFraction(std::string_view percentText);

}  // namespace tavelmark::bliss
