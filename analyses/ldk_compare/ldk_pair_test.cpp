#include <cmath>

#include "analyses/ldk_compare/ldk_compare.h"
#include "numeric/log10.h"
#include "numeric/normal_quantile.h"

namespace tavelmark::ldk_compare {

LDkBatch MakeLDkBatch(double ld50, double l95) {
    return {ld50, l95, numeric::Log10(ld50), l95 / (4.5 * ld50)};
}

std::string SignificanceMark(double p) {
    if (p <= 0.01) return " *";
    if (p <= 0.05) return " +";
    return " -";
}

LDkPairTest CompareLDkPair(const LDkBatch& a, const LDkBatch& b) {
    LDkPairTest test;
    // Equal log doses differ by nothing whatever their spread; the quotient
    // would be 0/0 where both standard errors underflow to 0.
    test.t = a.x == b.x ? 0.0 : std::fabs(a.x - b.x) / std::sqrt(a.s * a.s + b.s * b.s);
    test.p = numeric::ReportNormalTwoSidedP(test.t);
    if (test.p) test.mark = SignificanceMark(*test.p);
    return test;
}

std::vector<LDkPair> CompareAllLDkPairs(const std::vector<LDkBatch>& batches) {
    std::vector<LDkPair> pairs;
    for (std::size_t a = 0; a + 1 < batches.size(); ++a)
        for (std::size_t b = a + 1; b < batches.size(); ++b)
            pairs.push_back({a, b, CompareLDkPair(batches[a], batches[b])});
    return pairs;
}

}  // namespace tavelmark::ldk_compare
