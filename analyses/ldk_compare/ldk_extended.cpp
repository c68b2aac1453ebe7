#include "analyses/ldk_compare/ldk_extended.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "numeric/finite.h"
#include "numeric/normal_quantile.h"

namespace tavelmark::ldk_compare {

using numeric::Finite;

namespace {

// Holm (1979), Scand J Stat 6:65, step-down: the i-th smallest of m P values
// becomes max over j <= i of min(1, (m - j + 1) p(j)). Every P must be there:
// the adjustment of one depends on all.
void AdjustByHolm(std::vector<LDkPairExtended>& pairs) {
    if (std::any_of(pairs.begin(), pairs.end(), [](const LDkPairExtended& p) { return !p.p; })) {
        for (LDkPairExtended& pair : pairs)
            if (pair.pReason.empty()) pair.pReason = "有配对的P值无法计算, 无法校正";
        return;
    }
    std::vector<std::size_t> order(pairs.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&pairs](std::size_t i, std::size_t j) { return *pairs[i].p < *pairs[j].p; });
    const double m = static_cast<double>(pairs.size());
    double running = 0;
    for (std::size_t rank = 0; rank < order.size(); ++rank) {
        LDkPairExtended& pair = pairs[order[rank]];
        running = std::max(running, std::min(1.0, (m - static_cast<double>(rank)) * *pair.p));
        pair.pHolm = running;
    }
}

// The standard error of log10(LD50) that the batch's 95 % limits imply. They
// are LD50·10^(∓1.96 SE), so their half-distance is
// L95 = LD50 sinh(1.96 SE ln 10), inverted exactly here; the pair test's
// L95 / (4.5 LD50) is its straight-line form (4.5 for 1.96 ln 10).
double ExactLogDoseSE(const LDkBatch& batch) {
    return std::asinh(batch.l95 / batch.ld50) / (numeric::kNormal95TwoDecimals * std::log(10.0));
}

// 10^((x_a - x_b) -/+ z sqrt(e_a^2 + e_b^2)), z the normal 97.5 % point and e
// each batch's exact log-dose standard error.
void SetRatio(LDkPairExtended& pair, const LDkBatch& a, const LDkBatch& b) {
    pair.ratio = Finite(a.ld50 / b.ld50);
    const double ea = ExactLogDoseSE(a), eb = ExactLogDoseSE(b);
    const double difference = a.x - b.x;
    const double half = numeric::NormalQuantile(0.975) * std::sqrt(ea * ea + eb * eb);
    pair.ratioLower = Finite(std::pow(10.0, difference - half));
    pair.ratioUpper = Finite(std::pow(10.0, difference + half));
    if (!pair.ratio || !pair.ratioLower || !pair.ratioUpper) {
        pair.ratioLower = pair.ratioUpper = std::nullopt;
        if (!pair.ratio)
            pair.ratioReason = "数值溢出, 无法计算";
        else
            pair.ratioReason = "数值溢出, 无法计算可信限";
    }
}

}  // namespace

LDkExtended ComputeExtendedLDk(const std::vector<LDkBatch>& batches,
                               const std::vector<LDkPair>& pairs) {
    LDkExtended results;
    if (batches.size() < 2) {
        results.reason = "只有一批, 无可比较的配对";
        return results;
    }
    for (const LDkPair& compared : pairs) {
        LDkPairExtended pair;
        pair.first = static_cast<int>(compared.first) + 1;
        pair.second = static_cast<int>(compared.second) + 1;
        pair.t = compared.test.t;
        pair.p = compared.test.p;
        if (!pair.p) pair.pReason = "t值无法计算, 无P值";
        SetRatio(pair, batches[compared.first], batches[compared.second]);
        results.pairs.push_back(std::move(pair));
    }
    AdjustByHolm(results.pairs);
    return results;
}

}  // namespace tavelmark::ldk_compare
