#include "analyses/rates/conditional_odds_ratio.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include <boost/math/policies/policy.hpp>
#include <boost/math/tools/toms748_solve.hpp>

#include "numeric/finite.h"

namespace tavelmark::rates {

using numeric::Finite;

namespace {

constexpr double kTailProbability = 0.025;

// The possible counts of T positives with all margins fixed, lowest..highest,
// and their central hypergeometric log weights up to a common constant. The
// weights come from the ratio of successive probabilities,
//   P(x + 1) / P(x) = (m1 - x)(n2 - x) / ((x + 1)(m2 - n2 + x + 1)),
// summed in logarithms, so no factorial of a large count is ever formed.
struct ConditionalSupport {
    double lowest = 0;
    double highest = 0;
    double observed = 0;
    std::vector<double> logWeight;  // index k: count lowest + k
};

ConditionalSupport MakeSupport(const RateTable& t) {
    ConditionalSupport s;
    s.lowest = std::max(0.0, t.n2 - t.m2);
    s.highest = std::min(t.n2, t.m1);
    s.observed = t.c;
    const auto size = static_cast<std::size_t>(s.highest - s.lowest) + 1;
    s.logWeight.resize(size);
    s.logWeight[0] = 0;
    for (std::size_t k = 0; k + 1 < size; ++k) {
        const double x = s.lowest + static_cast<double>(k);
        s.logWeight[k + 1] = s.logWeight[k] + std::log(t.m1 - x) + std::log(t.n2 - x) -
                             std::log(x + 1) - std::log(t.m2 - t.n2 + x + 1);
    }
    return s;
}

// The noncentral hypergeometric distribution of the T positives at the odds
// ratio exp(logPsi), summarised around the observed count.
struct ConditionalSummary {
    double below = 0;  // P(X < c)
    double at = 0;     // P(X = c)
    double above = 0;  // P(X > c)
    double mean = 0;
};

ConditionalSummary Summarise(const ConditionalSupport& s, double logPsi) {
    const std::size_t size = s.logWeight.size();
    std::vector<double> weight(size);
    double largest = -INFINITY;
    for (std::size_t k = 0; k < size; ++k) {
        weight[k] = s.logWeight[k] + logPsi * static_cast<double>(k);
        largest = std::max(largest, weight[k]);
    }
    const auto observed = static_cast<std::size_t>(s.observed - s.lowest);
    double total = 0, below = 0, above = 0, moment = 0;
    for (std::size_t k = 0; k < size; ++k) {
        const double w = std::exp(weight[k] - largest);
        total += w;
        moment += w * static_cast<double>(k);
        if (k < observed) below += w;
        if (k > observed) above += w;
    }
    const double at = std::exp(weight[observed] - largest);
    return {below / total, at / total, above / total, s.lowest + moment / total};
}

using IgnoreErrors = boost::math::policies::policy<
    boost::math::policies::domain_error<boost::math::policies::ignore_error>,
    boost::math::policies::evaluation_error<boost::math::policies::ignore_error>>;

// The root of an increasing function of log(psi), bracketed from [-5, 5]
// outwards and then solved with TOMS 748 to 1e-12 on the log scale.
template <typename F>
std::optional<double> SolveIncreasing(F f) {
    constexpr double kWidest = 5 * 256;
    double low = -5, high = 5;
    double fLow = f(low), fHigh = f(high);
    while (fLow > 0 && low > -kWidest) fLow = f(low *= 2);
    while (fHigh < 0 && high < kWidest) fHigh = f(high *= 2);
    if (fLow > 0 || fHigh < 0) return std::nullopt;
    if (fLow == 0) return low;
    if (fHigh == 0) return high;
    std::uintmax_t iterations = 300;
    const auto closeEnough = [](double a, double b) { return std::fabs(b - a) <= 1e-12; };
    const auto [a, b] = boost::math::tools::toms748_solve(f, low, high, fLow, fHigh, closeEnough,
                                                          iterations, IgnoreErrors());
    return (a + b) / 2;
}

std::optional<double> ExpOf(std::optional<double> logPsi) {
    if (!logPsi) return std::nullopt;
    return Finite(std::exp(*logPsi));
}

// Why an exact computation is not made for this table, or empty.
std::string ExactRefusal(const RateTable& t) {
    if (!(t.n1 > 0) || !(t.n2 > 0)) return "有一组例数为0, 无法计算";
    if (t.m1 == 0 || t.m2 == 0) return "全部为阳性或全部为阴性, 无法计算";
    if (std::min(t.n2, t.m1) - std::max(0.0, t.n2 - t.m2) > kMaxExactRange)
        return "例数过多, 未计算精确法";
    return {};
}

}  // namespace

// The conditional maximum-likelihood estimate solves E[X; psi] = c, the exact
// limits P(X >= c; psi) = 0.025 and P(X <= c; psi) = 0.025, X the T positives
// given all margins (Cornfield 1956, Proc 3rd Berkeley Symp 4:135, for the
// limits; Mantel & Hankey 1975, Am Stat 29:143, for the estimate). A count at
// the lower end of its range gives 0 for the estimate and the lower limit, at
// the upper end infinity for the estimate and the upper limit.
ExtendedFigure ConditionalOddsRatio(const RateTable& t) {
    ExtendedFigure figure;
    figure.reason = ExactRefusal(t);
    if (!figure.reason.empty()) return figure;

    const ConditionalSupport s = MakeSupport(t);
    const bool atLowest = s.observed == s.lowest;
    const bool atHighest = s.observed == s.highest;
    const auto summary = [&s](double logPsi) { return Summarise(s, logPsi); };

    if (atLowest) {
        figure.estimate = 0.0;
        figure.lower = 0.0;
    } else {
        figure.lower = ExpOf(SolveIncreasing([&](double lp) {
            const ConditionalSummary m = summary(lp);
            return m.at + m.above - kTailProbability;
        }));
    }
    if (atHighest) {
        figure.estimateInfinite = true;
        figure.upperInfinite = true;
    } else {
        figure.upper = ExpOf(SolveIncreasing([&](double lp) {
            const ConditionalSummary m = summary(lp);
            return kTailProbability - (m.below + m.at);
        }));
    }
    if (!atLowest && !atHighest)
        figure.estimate =
            ExpOf(SolveIncreasing([&](double lp) { return summary(lp).mean - s.observed; }));

    if (atHighest)
        figure.reason = "T组阳性数已达可能的最大值, 估计值与上限为无穷大";
    else if (!figure.estimate)
        figure.reason = "迭代未收敛, 无法计算";
    else if (!figure.lower || !figure.upper)
        figure.reason = "迭代未收敛, 无法计算可信限";
    return figure;
}

// Lancaster (1961), J Am Stat Assoc 56:223; Berry & Armitage (1995), The
// Statistician 44:417: each one-sided mid-P counts half the probability of the
// observed table; the two-sided value is twice the smaller one. X is central
// hypergeometric: the weights above at an odds ratio of 1, which reach the far
// tails of large tables without forming a factorial.
MidP FisherMidP(const RateTable& t) {
    MidP result;
    if (!(t.n1 > 0) || !(t.n2 > 0)) {
        result.reason = "有一组例数为0, 无法计算";
        return result;
    }
    // With all subjects positive or all negative only the observed table is
    // possible: both one-sided mid-P are 1/2.
    if (t.m1 == 0 || t.m2 == 0) {
        result.p = 1.0;
        return result;
    }
    result.reason = ExactRefusal(t);
    if (!result.reason.empty()) return result;
    const ConditionalSummary m = Summarise(MakeSupport(t), 0.0);
    result.p = std::min(1.0, 2 * std::min(m.below + m.at / 2, m.above + m.at / 2));
    return result;
}

}  // namespace tavelmark::rates
