#pragma once
// Everything the two-group means report shows, computed from the two groups'
// values: checks, tests, the recommended method and what follows from it.
#include <array>
#include <optional>
#include <span>

#include "analyses/means/descriptive_statistics.h"
#include "analyses/means/equivalence.h"
#include "analyses/means/normality.h"
#include "analyses/means/rank_sum.h"
#include "analyses/means/t_tests.h"
#include "analyses/means/variance_test.h"

namespace tavelmark::means {

enum class MeansMethod { TTest, TPrime, RankSum };

// Any normality status other than "符合正态" (a missing one included): the rank
// test; else unequal variances: t'; else t.
MeansMethod RecommendMethod(const GroupNormality& t, const GroupNormality& r,
                            const VarianceTest& variance);

// The figures of the main table's rows 9 to 19: the recommended test.
struct RecommendedTest {
    MeansMethod method = MeansMethod::TTest;
    std::optional<double> statistic;  // t, Satterthwaite's t' or the rank sum's z
    std::optional<double> pTwoSided;
    std::optional<double> pOneSided;  // none for the rank test (an empty text is shown)
    ObservedPower power;
};

struct MeansResults {
    GroupDescription t, r;
    GroupNormality normalityT, normalityR;
    VarianceTest variance;
    StudentTTest studentT;
    TPrimeTests tPrime;
    RankSumTest rankSum;
    PooledSpread spread;
    std::array<SampleSizeLine, 4> sampleSizes;
    std::array<EquivalenceLine, 5> equivalence;
    RecommendedTest recommended;
};

// The comparison once the groups are described and their outliers settled.
MeansResults CompareMeans(std::span<const double> t, std::span<const double> r,
                          const GroupDescription& dt, const GroupDescription& dr);
// Description and comparison in one call.
MeansResults AnalyseMeans(std::span<const double> t, std::span<const double> r);

}  // namespace tavelmark::means
