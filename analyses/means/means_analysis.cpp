#include "analyses/means/means_analysis.h"


namespace tavelmark::means {

MeansMethod RecommendMethod(const GroupNormality& t, const GroupNormality& r,
                            const VarianceTest& variance) {
    if (!t.normal() || !r.normal()) return MeansMethod::RankSum;
    if (variance.homogeneous == false) return MeansMethod::TPrime;
    return MeansMethod::TTest;
}

namespace {

RecommendedTest Recommend(const MeansResults& m) {
    RecommendedTest rec;
    rec.method = RecommendMethod(m.normalityT, m.normalityR, m.variance);
    switch (rec.method) {
        case MeansMethod::TTest:
            rec.statistic = m.studentT.t;
            rec.pTwoSided = m.studentT.pTwoSided;
            rec.pOneSided = m.studentT.pOneSided;
            break;
        case MeansMethod::TPrime:
            rec.statistic = m.tPrime.satterthwaite.t;
            rec.pTwoSided = m.tPrime.satterthwaite.pTwoSided;
            rec.pOneSided = m.tPrime.satterthwaite.pOneSided;
            break;
        case MeansMethod::RankSum:
            rec.statistic = m.rankSum.z;
            rec.pTwoSided = m.rankSum.pTwoSided;
            break;
    }
    rec.power = PowerOf(rec.pTwoSided, m.spread);
    return rec;
}

}  // namespace

MeansResults CompareMeans(std::span<const double> t, std::span<const double> r,
                          const GroupDescription& dt, const GroupDescription& dr) {
    MeansResults m;
    m.t = dt;
    m.r = dr;
    m.normalityT = CheckNormality(t, dt.mean, dt.sd);
    m.normalityR = CheckNormality(r, dr.mean, dr.sd);
    m.variance = TestVariances(dt.n, dt.sd, dr.n, dr.sd);
    m.studentT = PooledTTest(t, r, dt, dr);
    m.tPrime = UnequalVarianceTests(dt, dr);
    m.rankSum = WilcoxonRankSum(t, r);
    m.spread = PoolGroups(dt, dr);
    m.sampleSizes = EstimateSampleSizes(m.spread);
    m.equivalence = TestEquivalence(dt, dr, m.spread);
    m.recommended = Recommend(m);
    return m;
}

MeansResults AnalyseMeans(std::span<const double> t, std::span<const double> r) {
    return CompareMeans(t, r, DescribeGroup(t), DescribeGroup(r));
}

}  // namespace tavelmark::means
