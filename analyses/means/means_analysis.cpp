#include "analyses/means/means_analysis.h"

#include "analyses/means/significance.h"
#include "format/number_text.h"

namespace tavelmark::means {

MeansMethod RecommendMethod(const GroupNormality& t, const GroupNormality& r,
                            const VarianceTest& variance) {
    if (!t.normal() || !r.normal()) return MeansMethod::RankSum;
    if (variance.homogeneous == false) return MeansMethod::TPrime;
    return MeansMethod::TTest;
}

std::string StatisticText(const char* label, std::optional<double> statistic) {
    return std::string(label) + (statistic ? format::R4(*statistic) : std::string(kNotComputable));
}

std::string ProfessionalConclusion(std::optional<double> pTwoSided, std::optional<double> meanT,
                                   std::optional<double> meanR) {
    if (!pTwoSided) return kNotComputable;
    if (*pTwoSided > 0.05) return "尚不足于下结论";
    if (!meanT || !meanR) return kNotComputable;
    if (*meanT > *meanR) return "T组>R组";
    if (*meanT < *meanR) return "T组<R组";
    return "";
}

namespace {

RecommendedTest Recommend(const MeansResults& m) {
    RecommendedTest rec;
    rec.method = RecommendMethod(m.normalityT, m.normalityR, m.variance);
    switch (rec.method) {
        case MeansMethod::TTest:
            rec.firstLine = "本例偏态不显著,方差齐性";
            rec.secondLine = "推荐选用t检验,非参检验结果可供参考";
            rec.statisticText = StatisticText("t = ", m.studentT.t);
            rec.pTwoSided = m.studentT.pTwoSided;
            rec.pOneSided = m.studentT.pOneSided;
            break;
        case MeansMethod::TPrime:
            rec.firstLine = "本例方差不齐";
            rec.secondLine = "推荐选用t'检验,非参检验可供参考";
            rec.statisticText = StatisticText("t' = ", m.tPrime.satterthwaite.t);
            rec.pTwoSided = m.tPrime.satterthwaite.pTwoSided;
            rec.pOneSided = m.tPrime.satterthwaite.pOneSided;
            break;
        case MeansMethod::RankSum:
            rec.firstLine = "本例偏态显著";
            rec.secondLine = "推荐选用非参检验(W-M-W法)";
            rec.statisticText = StatisticText("U = ", m.rankSum.z);
            rec.pTwoSided = m.rankSum.pTwoSided;
            break;
    }
    rec.conclusion = ConclusionText(rec.pTwoSided);
    rec.professionalConclusion = ProfessionalConclusion(rec.pTwoSided, m.t.mean, m.r.mean);
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
