#include "analyses/means/normality.h"

#include <cmath>
#include <cstdlib>

namespace tavelmark::means {

const char* NormalityText(NormalityStatus status) {
    switch (status) {
        case NormalityStatus::Normal: return "符合正态";
        case NormalityStatus::Asymmetric: return "对称性偏态";
        case NormalityStatus::PeakednessDeparture: return "峰坡性偏态";
    }
    return "";
}

NormalityCounts CountAroundMean(std::span<const double> values, double mean, double sd) {
    NormalityCounts c;
    const double low = mean - kInnerBandFactor * sd;
    const double high = mean + kInnerBandFactor * sd;
    for (double x : values) {
        if (x > mean) ++c.above;
        if (x < mean) ++c.below;
        if (x > low && x < high) ++c.inner;
        if (x > high || x < low) ++c.outer;
    }
    return c;
}

GroupNormality CheckNormality(std::span<const double> values, std::optional<double> mean,
                              std::optional<double> sd) {
    GroupNormality g;
    if (!mean || !sd) return g;
    g.counts = CountAroundMean(values, *mean, *sd);
    const double limit = 2.0 * std::sqrt(static_cast<double>(values.size()));
    g.symmetry = std::abs(g.counts->above - g.counts->below) >= limit
                     ? NormalityStatus::Asymmetric
                     : NormalityStatus::Normal;
    g.peakedness = std::abs(g.counts->inner - g.counts->outer) >= limit
                       ? NormalityStatus::PeakednessDeparture
                       : NormalityStatus::Normal;
    return g;
}

}  // namespace tavelmark::means
