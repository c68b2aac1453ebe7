#pragma once
// Arithmetic under the "leave the result empty and go on" policy: a result
// that would be a division by zero or the root of a negative number is empty
// instead, like any result that is not a finite number (numeric::Finite).
#include <cmath>
#include <optional>

#include "numeric/finite.h"

namespace tavelmark::rates {

inline std::optional<double> Divide(double numerator, double denominator) {
    if (denominator == 0) return std::nullopt;
    return numeric::Finite(numerator / denominator);
}

inline std::optional<double> SquareRoot(double v) {
    if (v < 0) return std::nullopt;
    return numeric::Finite(std::sqrt(v));
}

}  // namespace tavelmark::rates
