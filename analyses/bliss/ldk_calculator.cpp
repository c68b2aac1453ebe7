#include "analyses/bliss/ldk_calculator.h"

#include <algorithm>
#include <cmath>

#include "analyses/bliss/bliss_messages.h"
#include "analyses/bliss/leading_number.h"
#include "format/number_text.h"
#include "numeric/normal_quantile.h"

namespace tavelmark::bliss {

using format::R2, format::RoundedText;

namespace {

bool InComputedRange(double kPercent) { return kPercent > kLowestLDkPercent && kPercent < kHighestLDkPercent; }

}  // namespace

bool IsComputedLDkLevel(std::string_view kText) {
    if (kText.empty() || kText.find_first_not_of("0123456789.") != std::string_view::npos) return false;
    if (std::count(kText.begin(), kText.end(), '.') > 1) return false;
    return InComputedRange(LeadingNumber(kText));
}

std::optional<LDkValues> ComputeLDk(const BlissHandOver& line, double kPercent) {
    if (!InComputedRange(kPercent)) return std::nullopt;
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
    const double k = LeadingNumber(kText);
    const auto v = ComputeLDk(line, k);
    if (!v) return LDkTexts{{}, {}, {}, InComputedRange(k) ? text::kLDkBeyondNumbers : ""};
    return {RoundedText(v->LDk, 6), R2(v->lower) + "～" + R2(v->upper), RoundedText(v->ml95, 6), {}};
}

}  // namespace tavelmark::bliss
