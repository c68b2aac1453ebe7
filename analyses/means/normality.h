#pragma once
// The rough normality check: how the values fall around the mean (above /
// below, and inside / outside mean ± 0.65 SD), each imbalance compared with
// twice the square root of n.
#include <optional>
#include <span>

namespace tavelmark::means {

inline constexpr double kInnerBandFactor = 0.65;

enum class NormalityStatus { Normal, Asymmetric, PeakednessDeparture };
// "符合正态", "对称性偏态", "峰坡性偏态".
const char* NormalityText(NormalityStatus status);

struct NormalityCounts {
    int above = 0, below = 0, inner = 0, outer = 0;
};
NormalityCounts CountAroundMean(std::span<const double> values, double mean, double sd);

// Empty statuses when the mean or SD is missing: nothing can be said then.
struct GroupNormality {
    std::optional<NormalityCounts> counts;
    std::optional<NormalityStatus> symmetry;
    std::optional<NormalityStatus> peakedness;
    bool normal() const {
        return symmetry == NormalityStatus::Normal && peakedness == NormalityStatus::Normal;
    }
};
GroupNormality CheckNormality(std::span<const double> values, std::optional<double> mean,
                              std::optional<double> sd);

}  // namespace tavelmark::means
