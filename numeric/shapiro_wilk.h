#pragma once
// The Shapiro–Wilk test of normality, W and its P value, by Royston's
// approximations (Royston, Statistics and Computing 2 (1992) 117–119, and
// Appl. Statist. 44 (1995) 547–551, algorithm AS R94): the coefficients from
// the expected normal order statistics with polynomial corrections of the
// two (n > 5) or one outermost, and a normalising transformation of W.
#include <optional>
#include <span>

namespace tavelmark::numeric {

struct ShapiroWilk {
    double w = 0;
    double p = 0;  // of W this small or smaller under normality
};

inline constexpr int kShapiroWilkFewest = 3;
inline constexpr int kShapiroWilkMost = 5000;

// Empty for fewer than 3 or more than 5000 values, values that are not all
// finite, or values that are all equal (W is 0/0).
std::optional<ShapiroWilk> ShapiroWilkTest(std::span<const double> values);

}  // namespace tavelmark::numeric
