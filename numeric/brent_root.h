#pragma once
// A root of a continuous function inside a bracket, by Brent's method
// (Brent, Algorithms for Minimization without Derivatives, 1973, ch. 4):
// bisection's certainty with the secant's speed.
#include <functional>
#include <optional>

namespace tavelmark::numeric {

// The x in [a, b] with f(x) = 0 to within `tolerance` in x, given f(a) and
// f(b) of opposite signs; empty when they are not, or f is not finite.
std::optional<double> BrentRoot(const std::function<double(double)>& f, double a, double b, double tolerance);

}  // namespace tavelmark::numeric
