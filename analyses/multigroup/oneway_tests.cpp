#include "analyses/multigroup/oneway_tests.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "analyses/multigroup/multigroup_texts.h"
#include "analyses/multigroup/tails.h"

namespace tavelmark::multigroup {

namespace {

int TotalCount(const std::vector<GroupSummary>& summaries) {
    int total = 0;
    for (const GroupSummary& s : summaries) total += s.n;
    return total;
}

double WeightedGrandMean(const std::vector<GroupSummary>& summaries) {
    double sum = 0;
    for (const GroupSummary& s : summaries) sum += s.n * s.mean;
    return sum / TotalCount(summaries);
}

bool AnyConstant(const std::vector<GroupSummary>& summaries) {
    return std::any_of(summaries.begin(), summaries.end(), [](const GroupSummary& s) { return !(s.sd > 0); });
}

}  // namespace

AnovaTable OneWayAnova(const Groups& groups, const std::vector<GroupSummary>& summaries) {
    AnovaTable t;
    const double grand = WeightedGrandMean(summaries);
    for (std::size_t i = 0; i < groups.size(); ++i) {
        t.ssBetween += summaries[i].n * (summaries[i].mean - grand) * (summaries[i].mean - grand);
        for (double x : groups[i]) t.ssWithin += (x - summaries[i].mean) * (x - summaries[i].mean);
    }
    t.ssTotal = t.ssBetween + t.ssWithin;
    t.dfBetween = static_cast<int>(groups.size()) - 1;
    t.dfWithin = TotalCount(summaries) - static_cast<int>(groups.size());
    t.msBetween = t.ssBetween / t.dfBetween;
    t.msWithin = t.ssWithin / t.dfWithin;
    if (!(t.msWithin > 0)) {
        t.why = text::kZeroWithinVariance;
        return t;
    }
    t.f = t.msBetween / t.msWithin;
    t.p = FUpper(*t.f, t.dfBetween, t.dfWithin);
    return t;
}

FTest WelchAnova(const std::vector<GroupSummary>& summaries) {
    FTest test;
    const double k = static_cast<double>(summaries.size());
    test.df1 = k - 1;
    if (AnyConstant(summaries)) {
        test.why = text::kZeroSd;
        return test;
    }
    double weights = 0, weightedMeans = 0;
    for (const GroupSummary& s : summaries) {
        weights += s.n / (s.sd * s.sd);
        weightedMeans += s.n / (s.sd * s.sd) * s.mean;
    }
    const double centre = weightedMeans / weights;
    double between = 0, lambda = 0;
    for (const GroupSummary& s : summaries) {
        const double w = s.n / (s.sd * s.sd);
        between += w * (s.mean - centre) * (s.mean - centre);
        lambda += (1 - w / weights) * (1 - w / weights) / (s.n - 1);
    }
    test.f = between / (k - 1) / (1 + 2 * (k - 2) * lambda / (k * k - 1));
    test.df2 = (k * k - 1) / (3 * lambda);
    test.p = FUpper(*test.f, test.df1, test.df2);
    return test;
}

FTest BrownForsytheAnova(const std::vector<GroupSummary>& summaries) {
    FTest test;
    const double total = TotalCount(summaries);
    const double grand = WeightedGrandMean(summaries);
    test.df1 = static_cast<double>(summaries.size()) - 1;
    double between = 0, denominator = 0;
    for (const GroupSummary& s : summaries) {
        between += s.n * (s.mean - grand) * (s.mean - grand);
        denominator += (1 - s.n / total) * s.sd * s.sd;
    }
    if (!(denominator > 0)) {
        test.why = text::kZeroWithinVariance;
        return test;
    }
    double inverseDf = 0;
    for (const GroupSummary& s : summaries) {
        const double c = (1 - s.n / total) * s.sd * s.sd / denominator;
        inverseDf += c * c / (s.n - 1);
    }
    test.f = between / denominator;
    test.df2 = 1 / inverseDf;
    test.p = FUpper(*test.f, test.df1, test.df2);
    return test;
}

FTest LeveneTest(const Groups& groups, const std::vector<GroupSummary>& summaries, bool aboutMedian) {
    Groups deviations(groups.size());
    std::vector<GroupSummary> deviationSummaries;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const double centre = aboutMedian ? summaries[i].median : summaries[i].mean;
        for (double x : groups[i]) deviations[i].push_back(std::fabs(x - centre));
        deviationSummaries.push_back(SummariseGroup(deviations[i]));
    }
    const AnovaTable table = OneWayAnova(deviations, deviationSummaries);
    FTest test;
    test.df1 = table.dfBetween;
    test.df2 = table.dfWithin;
    test.f = table.f;
    test.p = table.p;
    // Every group's deviations constant (groups of two always are).
    if (!test.f) test.why = text::kNotComputable;
    return test;
}

ChiSquareTest BartlettTest(const std::vector<GroupSummary>& summaries) {
    ChiSquareTest test;
    const double k = static_cast<double>(summaries.size());
    test.df = k - 1;
    if (AnyConstant(summaries)) {
        test.why = text::kZeroSd;
        return test;
    }
    const double dfWithin = TotalCount(summaries) - k;
    double pooled = 0, logSum = 0, inverseSum = 0;
    for (const GroupSummary& s : summaries) {
        pooled += (s.n - 1) * s.sd * s.sd;
        logSum += (s.n - 1) * std::log(s.sd * s.sd);
        inverseSum += 1.0 / (s.n - 1);
    }
    pooled /= dfWithin;
    const double correction = 1 + (inverseSum - 1 / dfWithin) / (3 * (k - 1));
    test.statistic = (dfWithin * std::log(pooled) - logSum) / correction;
    test.p = ChiSquareUpper(*test.statistic, test.df);
    return test;
}

PooledRanks RankPooled(const Groups& groups) {
    struct Entry {
        double value;
        std::size_t group, index;
    };
    std::vector<Entry> pooled;
    PooledRanks out;
    out.ranks.resize(groups.size());
    for (std::size_t g = 0; g < groups.size(); ++g) {
        out.ranks[g].resize(groups[g].size());
        for (std::size_t i = 0; i < groups[g].size(); ++i) pooled.push_back({groups[g][i], g, i});
    }
    std::sort(pooled.begin(), pooled.end(), [](const Entry& a, const Entry& b) { return a.value < b.value; });
    for (std::size_t first = 0; first < pooled.size();) {
        std::size_t last = first + 1;
        while (last < pooled.size() && pooled[last].value == pooled[first].value) ++last;
        const double t = static_cast<double>(last - first);
        const double midrank = (static_cast<double>(first + 1) + static_cast<double>(last)) / 2;
        for (std::size_t i = first; i < last; ++i) out.ranks[pooled[i].group][pooled[i].index] = midrank;
        out.tieSum += t * t * t - t;
        first = last;
    }
    out.total = static_cast<int>(pooled.size());
    for (const auto& r : out.ranks)
        out.meanRanks.push_back(std::accumulate(r.begin(), r.end(), 0.0) / static_cast<double>(r.size()));
    return out;
}

KruskalWallis KruskalWallisTest(const PooledRanks& ranks) {
    KruskalWallis kw;
    const double n = ranks.total;
    double spread = 0;
    for (std::size_t g = 0; g < ranks.ranks.size(); ++g) {
        const double deviation = ranks.meanRanks[g] - (n + 1) / 2;
        spread += static_cast<double>(ranks.ranks[g].size()) * deviation * deviation;
    }
    kw.h = 12 / (n * (n + 1)) * spread;
    kw.tieFactor = 1 - ranks.tieSum / (n * n * n - n);
    kw.hCorrected = kw.h / kw.tieFactor;
    kw.df = static_cast<int>(ranks.ranks.size()) - 1;
    kw.p = ChiSquareUpper(kw.hCorrected, kw.df);
    return kw;
}

}  // namespace tavelmark::multigroup
