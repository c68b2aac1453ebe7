#include "analyses/rates/rate_estimates.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "analyses/rates/checked_math.h"
#include "numeric/finite.h"
#include "numeric/normal_quantile.h"

namespace tavelmark::rates {

namespace {

constexpr double kZ = numeric::kNormal95TwoDecimals;
constexpr double kZSquared = 3.841;
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// A quotient of two non-negative quantities that may be infinite.
std::optional<double> Ratio(std::optional<double> numerator, std::optional<double> denominator) {
    if (!numerator || !denominator) return std::nullopt;
    const double num = *numerator, den = *denominator;
    if (den == 0) return num > 0 ? std::optional<double>(kInfinity) : std::nullopt;
    if (std::isinf(num) && std::isinf(den)) return std::nullopt;
    return num / den;
}

std::optional<double> Odds(std::optional<double> rate) {
    if (!rate) return std::nullopt;
    return Ratio(*rate, 1 - *rate);
}

// Percent rounded half up to three decimals, shortest form.
std::string PercentText(double fraction) {
    const double rounded = std::floor(fraction * 100 * 1000 + 0.5) / 1000;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.3f", rounded);
    std::string text = buffer;
    text.erase(text.find_last_not_of('0') + 1);
    if (!text.empty() && text.back() == '.') text.pop_back();
    if (text == "-0") text = "0";
    return text;
}

}  // namespace

std::optional<RateLimits> ScoreLimits(double x, double n) {
    if (n <= 0) return std::nullopt;
    const double p = x / n;
    const double denominator = 2 * (n + kZSquared);
    const auto lowerRoot = rates::SquareRoot(kZSquared + (2 * x - 1) * (2 * n - 2 * x + 1) / n);
    const auto upperRoot = rates::SquareRoot(kZSquared + (2 * x + 1) * (2 * n - 2 * x - 1) / n);
    if (!lowerRoot || !upperRoot) return std::nullopt;
    const auto lower = numeric::Finite((2 * n * p + kZSquared - 1 - kZ * *lowerRoot) / denominator);
    const auto upper = numeric::Finite((2 * n * p + kZSquared + 1 + kZ * *upperRoot) / denominator);
    if (!lower || !upper) return std::nullopt;
    return RateLimits{x == 0 ? 0.0 : *lower, x == n ? 1.0 : *upper};
}

std::string LimitsText(const RateLimits& limits) {
    return PercentText(limits.lower) + "～" + PercentText(limits.upper) + "%";
}

RateEstimates ComputeRateEstimates(const RateTable& t) {
    RateEstimates e;
    e.p1 = t.p1;
    e.p2 = t.p2;
    e.limitsR = ScoreLimits(t.a, t.n1);
    e.limitsT = ScoreLimits(t.c, t.n2);
    e.oddR = Odds(e.p1);
    e.oddT = Odds(e.p2);
    e.oddsRatio = Ratio(e.oddT, e.oddR);
    e.relativeRisk = Ratio(e.p2, e.p1);
    return e;
}

}  // namespace tavelmark::rates
