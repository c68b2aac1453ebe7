#include "analyses/multigroup/comparisons.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "analyses/multigroup/multigroup_texts.h"
#include "analyses/multigroup/tails.h"
#include "numeric/dunnett.h"
#include "numeric/studentized_range.h"

namespace tavelmark::multigroup {

namespace {

constexpr double kAlpha = 0.05;

// 1 − (1 − p)^m without losing a small p: Šidák's adjustment over m tests.
double SidakAdjusted(double p, double m) { return -std::expm1(m * std::log1p(-p)); }
// The per-test level that gives a family level α over m tests.
double SidakLevel(double m) { return -std::expm1(std::log1p(-kAlpha) / m); }

Comparison PairOf(const std::vector<GroupSummary>& s, int first, int second) {
    Comparison c;
    c.first = first;
    c.second = second;
    c.difference = s[second].mean - s[first].mean;
    return c;
}

bool Constant(const GroupSummary& g) { return !(g.sd > 0); }

// Welch's t of two groups: standard error, Satterthwaite df and two-sided P.
void WelchT(const GroupSummary& a, const GroupSummary& b, Comparison& c) {
    if (Constant(a) || Constant(b)) {
        c.why = text::kZeroSd;
        return;
    }
    const double va = a.sd * a.sd / a.n, vb = b.sd * b.sd / b.n;
    c.se = std::sqrt(va + vb);
    c.df = (va + vb) * (va + vb) / (va * va / (a.n - 1) + vb * vb / (b.n - 1));
    c.statistic = c.difference / *c.se;
    c.p = TTwoSided(*c.statistic, *c.df);
}

// The pooled-variance t of two groups on the ANOVA's error term.
void PooledT(const GroupSummary& a, const GroupSummary& b, const AnovaTable& anova, Comparison& c) {
    if (!anova.f) {
        c.why = anova.why;
        return;
    }
    c.se = std::sqrt(anova.msWithin * (1.0 / a.n + 1.0 / b.n));
    c.df = anova.dfWithin;
    c.statistic = c.difference / *c.se;
    c.p = TTwoSided(*c.statistic, *c.df);
}

void Limits(Comparison& c, double multiplier) {
    c.lower = c.difference - multiplier * *c.se;
    c.upper = c.difference + multiplier * *c.se;
}

}  // namespace

std::vector<std::pair<int, int>> AllPairs(int groups) {
    std::vector<std::pair<int, int>> pairs;
    for (int i = 0; i < groups; ++i)
        for (int j = i + 1; j < groups; ++j) pairs.emplace_back(i, j);
    return pairs;
}

std::vector<std::optional<double>> RangePoints(int k, const AnovaTable& anova) {
    std::vector<std::optional<double>> points(static_cast<std::size_t>(k + 1));
    if (anova.f)
        for (int span = 2; span <= k; ++span) points[span] = numeric::StudentizedRangeQuantile(kAlpha, span, anova.dfWithin);
    return points;
}

std::vector<Comparison> TukeyKramer(const std::vector<GroupSummary>& s, const AnovaTable& anova,
                                    std::optional<double> point) {
    const int k = static_cast<int>(s.size());
    std::vector<Comparison> out;
    for (const auto& [i, j] : AllPairs(k)) {
        Comparison c = PairOf(s, i, j);
        if (!anova.f) {
            c.why = anova.why;
        } else {
            c.se = std::sqrt(anova.msWithin / 2 * (1.0 / s[i].n + 1.0 / s[j].n));
            c.df = anova.dfWithin;
            c.statistic = std::fabs(c.difference) / *c.se;
            c.p = numeric::StudentizedRangeUpper(*c.statistic, k, anova.dfWithin);
            if (point) Limits(c, *point);
        }
        out.push_back(c);
    }
    return out;
}

std::vector<Comparison> GamesHowell(const std::vector<GroupSummary>& s) {
    const int k = static_cast<int>(s.size());
    std::vector<Comparison> out;
    for (const auto& [i, j] : AllPairs(k)) {
        Comparison c = PairOf(s, i, j);
        WelchT(s[i], s[j], c);
        if (c.p) {
            // q = √2·|t| on the pair's own Welch df.
            c.se = *c.se / std::sqrt(2.0);
            c.statistic = std::fabs(c.difference) / *c.se;
            c.p = numeric::StudentizedRangeUpper(*c.statistic, k, *c.df);
        }
        out.push_back(c);
    }
    return out;
}

std::vector<Comparison> LeastSignificantDifference(const std::vector<GroupSummary>& s, const AnovaTable& anova) {
    std::vector<Comparison> out;
    const double point = TPoint(kAlpha, anova.dfWithin);
    for (const auto& [i, j] : AllPairs(static_cast<int>(s.size()))) {
        Comparison c = PairOf(s, i, j);
        PooledT(s[i], s[j], anova, c);
        if (c.p) Limits(c, point);
        out.push_back(c);
    }
    return out;
}

std::vector<Comparison> Bonferroni(const std::vector<GroupSummary>& s, const AnovaTable& anova) {
    std::vector<Comparison> out = LeastSignificantDifference(s, anova);
    const double m = static_cast<double>(out.size());
    const double point = TPoint(kAlpha / m, anova.dfWithin);
    for (Comparison& c : out) {
        if (!c.p) continue;
        c.p = std::min(1.0, *c.p * m);
        Limits(c, point);
    }
    return out;
}

std::vector<Comparison> TamhaneT2(const std::vector<GroupSummary>& s) {
    std::vector<Comparison> out;
    const auto pairs = AllPairs(static_cast<int>(s.size()));
    const double m = static_cast<double>(pairs.size());
    for (const auto& [i, j] : pairs) {
        Comparison c = PairOf(s, i, j);
        WelchT(s[i], s[j], c);
        if (c.p) {
            c.p = SidakAdjusted(*c.p, m);
            Limits(c, TPoint(SidakLevel(m), *c.df));
        }
        out.push_back(c);
    }
    return out;
}

std::vector<Comparison> DunnHolm(const PooledRanks& ranks, const std::vector<std::pair<int, int>>& pairs) {
    const double n = ranks.total;
    const double variance = n * (n + 1) / 12 - ranks.tieSum / (12 * (n - 1));
    std::vector<Comparison> out;
    std::vector<double> raw;
    for (const auto& [i, j] : pairs) {
        Comparison c;
        c.first = i;
        c.second = j;
        c.difference = ranks.meanRanks[j] - ranks.meanRanks[i];
        c.se = std::sqrt(variance * (1.0 / ranks.ranks[i].size() + 1.0 / ranks.ranks[j].size()));
        c.statistic = c.difference / *c.se;
        raw.push_back(ZTwoSided(*c.statistic));
        out.push_back(c);
    }
    const std::vector<double> adjusted = HolmAdjusted(raw);
    for (std::size_t i = 0; i < out.size(); ++i) out[i].p = adjusted[i];
    return out;
}

ControlFamily Dunnett(const std::vector<GroupSummary>& s, const AnovaTable& anova, int reference,
                      const std::vector<int>& treatments) {
    ControlFamily family;
    std::vector<double> lambdas;
    for (int t : treatments) lambdas.push_back(numeric::DunnettLambda(s[t].n, s[reference].n));
    if (anova.f && !treatments.empty()) family.critical = numeric::DunnettCritical(kAlpha, lambdas, anova.dfWithin);
    for (int t : treatments) {
        Comparison c = PairOf(s, reference, t);
        PooledT(s[reference], s[t], anova, c);
        if (c.p) {
            c.p = numeric::DunnettUpper(std::fabs(*c.statistic), lambdas, anova.dfWithin);
            if (family.critical) Limits(c, *family.critical);
        }
        family.rows.push_back(c);
    }
    return family;
}

ControlFamily WelchSidak(const std::vector<GroupSummary>& s, int reference, const std::vector<int>& treatments) {
    ControlFamily family;
    const double m = static_cast<double>(treatments.size());
    for (int t : treatments) {
        Comparison c = PairOf(s, reference, t);
        WelchT(s[reference], s[t], c);
        if (c.p) {
            c.p = SidakAdjusted(*c.p, m);
            Limits(c, TPoint(SidakLevel(m), *c.df));
        }
        family.rows.push_back(c);
    }
    return family;
}

std::vector<SnkStep> StudentNewmanKeuls(const std::vector<GroupSummary>& s, const AnovaTable& anova,
                                        const std::vector<std::optional<double>>& points) {
    const int k = static_cast<int>(s.size());
    std::vector<int> order(static_cast<std::size_t>(k));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return s[a].mean < s[b].mean; });

    // significant[a][b] for ordered positions a < b, filled widest range first.
    std::vector<std::vector<bool>> significant(k, std::vector<bool>(k, false));
    std::vector<SnkStep> steps;
    for (int span = k; span >= 2; --span) {
        for (int a = 0; a + span - 1 < k; ++a) {
            const int b = a + span - 1;
            SnkStep step;
            step.first = std::min(order[a], order[b]);
            step.second = std::max(order[a], order[b]);
            step.difference = s[step.second].mean - s[step.first].mean;
            step.span = span;
            step.critical = points[span];
            if (anova.f) {
                const GroupSummary &low = s[order[a]], &high = s[order[b]];
                step.q = (high.mean - low.mean) / std::sqrt(anova.msWithin / 2 * (1.0 / low.n + 1.0 / high.n));
                step.exceeds = step.critical && *step.q >= *step.critical;
            }
            const bool enclosedSignificant =
                span == k || ((a == 0 || significant[a - 1][b]) && (b == k - 1 || significant[a][b + 1]));
            step.significant = step.exceeds && enclosedSignificant;
            significant[a][b] = step.significant;
            steps.push_back(step);
        }
    }
    return steps;
}

std::vector<double> HolmAdjusted(const std::vector<double>& p) {
    const std::size_t m = p.size();
    std::vector<std::size_t> order(m);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return p[a] < p[b]; });
    std::vector<double> adjusted(m);
    double running = 0;
    for (std::size_t rank = 0; rank < m; ++rank) {
        running = std::max(running, std::min(1.0, static_cast<double>(m - rank) * p[order[rank]]));
        adjusted[order[rank]] = running;
    }
    return adjusted;
}

}  // namespace tavelmark::multigroup
