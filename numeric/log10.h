#pragma once

namespace tavelmark::numeric {

// Base-10 logarithm as ln v / ln 10, the form every analysis uses. Defined
// for v > 0; callers check that first. A result that is not finite throws
// std::domain_error (the analyses' "floating-point error").
double Log10(double v);

}  // namespace tavelmark::numeric
