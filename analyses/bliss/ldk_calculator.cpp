#include "analyses/bliss/ldk_calculator.h"

#include <cmath>

#include "analyses/bliss/leading_number.h"
#include "format/number_text.h"
#include "numeric/normal_quantile.h"

namespace tavelmark::bliss {

using format::R2, format::RoundedText;

std::optional<LDkValues> ComputeLDk(const BlissHandOver& line, double kPercent) {
    if (!(kPercent > 0.001 && kPercent < 99.999)) return std::nullopt;
    const double kf = kPercent / 100;
    const auto t = numeric::ReportNormalPoint(2 * (kf < 0.5 ? kf : 1 - kf));
    if (!t) return std::nullopt;
    LDkValues v;
    v.Yk = kf < 0.5 ? 5 - *t : 5 + *t;
    const double a = line.a, b = line.b, S0 = line.S0;
    v.Xk = (v.Yk - a) / b;
    v.LDk = std::pow(10.0, v.Xk);
    // The standard error of X50 with Yk in place of 5.
    const double Sxx = line.S2 - line.S1 * line.S1 / S0;
    const double dy = v.Yk - line.S4 / S0;
    v.Sxk = std::sqrt(b * b / S0 + dy * dy / Sxx) / (b * b);
    v.upper = std::pow(10.0, v.Xk + numeric::kNormal95Multiplier * v.Sxk);
    v.lower = std::pow(10.0, v.Xk - numeric::kNormal95Multiplier * v.Sxk);
    v.ml95 = (v.upper - v.lower) / 2;
    for (double x : {v.Xk, v.LDk, v.Sxk, v.lower, v.upper, v.ml95})
        if (!std::isfinite(x)) return std::nullopt;
    return v;
}

LDkTexts LDkTextsFor(const BlissHandOver& line, std::string_view kText) {
    const auto v = ComputeLDk(line, LeadingNumber(kText));
    if (!v) return {};
    return {RoundedText(v->LDk, 6), R2(v->lower) + "～" + R2(v->upper), RoundedText(v->ml95, 6)};
}

}  // namespace tavelmark::bliss
