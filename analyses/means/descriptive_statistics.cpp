#include "analyses/means/descriptive_statistics.h"

#include <cmath>

#include "hosts/worksheet_functions.h"

namespace tavelmark {

namespace {

std::optional<double> HalfWidth(std::optional<double> sd, double multiplier, int n) {
    if (!sd || n < 1) return std::nullopt;
    const double w = *sd * multiplier / std::sqrt(static_cast<double>(n));
    return std::isfinite(w) ? std::optional<double>(w) : std::nullopt;
}

}  // namespace

GroupDescription DescribeGroup(std::span<const double> values) {
    GroupDescription d;
    d.n = static_cast<int>(values.size());
    d.mean = wsf::Average(values);
    d.sd = wsf::Stdev(values);
    d.maximum = wsf::Max(values);
    d.minimum = wsf::Min(values);
    d.median = wsf::Median(values);
    d.lowerQuartile = wsf::Percentile(values, 0.25);
    d.upperQuartile = wsf::Percentile(values, 0.75);
    d.mode = wsf::Mode(values);
    d.harmonicMean = wsf::Harmean(values);
    d.geometricMean = wsf::Geomean(values);
    d.skewness = wsf::Skew(values);
    d.kurtosis = wsf::Kurt(values);
    d.halfWidth95 = HalfWidth(d.sd, kHalfWidth95, d.n);
    d.halfWidth99 = HalfWidth(d.sd, kHalfWidth99, d.n);
    return d;
}

}  // namespace tavelmark
