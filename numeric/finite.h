#pragma once
// Arithmetic under the "leave the result empty and go on" policy: a value
// that is not a finite number (an overflow, 0/0, a logarithm of 0) is carried
// on as an empty result, so the report shows a blank or "无法计算" instead of
// NaN or infinity. The worksheet functions and the analyses use this one rule.
#include <cmath>
#include <optional>

namespace tavelmark::numeric {

inline std::optional<double> Finite(double v) {
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

}  // namespace tavelmark::numeric
