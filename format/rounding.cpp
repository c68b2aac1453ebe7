#include "format/rounding.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tavelmark::format {

double RoundHalfEven(double v, int decimals) {
    if (!std::isfinite(v)) return v;
    const double scale = std::pow(10.0, decimals);
    const double scaled = v * scale;
    if (!std::isfinite(scaled)) return v;
    // nearbyint rounds ties to even in the default rounding mode.
    const double rounded = std::nearbyint(scaled) / scale;
    return rounded == 0.0 ? 0.0 : rounded;  // no "-0"
}

namespace {

void Trim(Decimal& d) {
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    if (d.digits.empty()) d.point = 0;
}

}  // namespace

Decimal DecimalMagnitude(double v) {
    Decimal d;
    v = std::fabs(v);
    if (v == 0.0) return d;
    char text[32];
    std::snprintf(text, sizeof text, "%.14e", v);  // d.dddddddddddddde+XX: 15 digits
    d.digits.push_back(text[0]);
    d.digits.append(text + 2, 14);
    d.point = std::atoi(text + 17) + 1;
    Trim(d);
    return d;
}

Decimal RoundHalfAwayFromZero(Decimal d, int decimals) {
    const int keep = d.point + decimals;
    if (keep >= static_cast<int>(d.digits.size())) return d;
    if (keep < 0) return Decimal{};
    const bool up = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9') d.digits[i--] = '0';
        if (i >= 0) {
            ++d.digits[i];
        } else {  // 9.99 -> 10.0: one more integer digit
            d.digits.insert(d.digits.begin(), '1');
            ++d.point;
        }
    }
    Trim(d);
    return d;
}

}  // namespace tavelmark::format
