#pragma once
// Arithmetic under the "leave the result empty and go on" policy: a result
// that would be a division by zero, a logarithm of a non-positive number or
// not a finite number is empty instead.
#include <cmath>
#include <optional>

namespace tavelmark::rates {

inline std::optional<double> Finite(double v) {
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

inline std::optional<double> Divide(double numerator, double denominator) {
    if (denominator == 0) return std::nullopt;
    return Finite(numerator / denominator);
}

inline std::optional<double> SquareRoot(double v) {
    if (v < 0) return std::nullopt;
    return Finite(std::sqrt(v));
}

}  // namespace tavelmark::rates
