#pragma once
// One tolerance helper for every numeric test: relative where the value is
// large, absolute near zero.
#include <cmath>

#include <gtest/gtest.h>

namespace tavelmark::test {

inline ::testing::AssertionResult Near(double actual, double expected, double relative,
                                       double absolute = 0.0) {
    const double allowed = std::max(absolute, relative * std::fabs(expected));
    if (std::fabs(actual - expected) <= allowed) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "actual " << actual << " vs expected " << expected
                                         << " (allowed difference " << allowed << ")";
}

// Equal after rounding both to `decimals` places (a printed reference value).
inline ::testing::AssertionResult SameTo(double actual, double expected, int decimals) {
    const double scale = std::pow(10.0, decimals);
    if (std::fabs(actual * scale - expected * scale) <= 0.5 + 1e-9)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "actual " << actual << " vs expected " << expected
                                         << " to " << decimals << " decimals";
}

}  // namespace tavelmark::test
