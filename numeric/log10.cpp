#include "numeric/log10.h"

#include <cmath>
#include <stdexcept>

namespace tavelmark::numeric {

double Log10(double v) {
    const double result = std::log(v) / std::log(10.0);
    if (!std::isfinite(result)) throw std::domain_error("logarithm of a value that is not positive");
    return result;
}

}  // namespace tavelmark::numeric
