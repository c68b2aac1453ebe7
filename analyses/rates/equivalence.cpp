#include "analyses/rates/equivalence.h"

#include <cmath>

#include "analyses/rates/pooled_tests.h"
#include "format/number_text.h"
#include "format/rounding.h"
#include "numeric/finite.h"
#include "numeric/normal_quantile.h"
#include "numeric/worksheet_functions.h"

namespace tavelmark::rates {

namespace wsf = numeric::wsf;

namespace {

EquivalenceSide JudgeSide(std::optional<double> t, double degreesOfFreedom) {
    EquivalenceSide side;
    side.t = t;
    if (!t) return side;
    if (*t > 0) {
        side.p = wsf::Tdist(*t, degreesOfFreedom, 1);
        side.pCell = side.p ? EquivalenceSide::PCell::Number : EquivalenceSide::PCell::Empty;
    } else {
        side.pCell = EquivalenceSide::PCell::Dash;
    }
    side.conclusion = side.p && *side.p <= 0.05 ? kEquivalent : kNotEquivalent;
    return side;
}

}  // namespace

std::array<EquivalenceMargin, 6> ComputeEquivalence(const RateTable& t) {
    std::array<EquivalenceMargin, 6> result{};
    const auto s = PooledStandardError(t);
    const double degreesOfFreedom = t.N - 2;
    for (std::size_t k = 0; k < kEquivalenceMargins.size(); ++k) {
        const double margin = kEquivalenceMargins[k];
        std::optional<double> upperT, lowerT;
        if (s && t.p1 && t.p2) {
            upperT = numeric::Finite(((*t.p1 + margin) - *t.p2) / *s);
            lowerT = numeric::Finite((*t.p2 - (*t.p1 - margin)) / *s);
        }
        result[k] = {margin, JudgeSide(upperT, degreesOfFreedom),
                     JudgeSide(lowerT, degreesOfFreedom)};
    }
    return result;
}

std::array<SampleSize, 4> ComputeSampleSizes(const RateTable& t) {
    std::array<SampleSize, 4> result{};
    for (std::size_t i = 0; i < kSampleSizePowers.size(); ++i) {
        result[i].power = kSampleSizePowers[i].first;
        result[i].beta = kSampleSizePowers[i].second;
    }
    if (!t.p1 || !t.p2) return result;

    const auto z2 = numeric::ReportNormalPoint(0.05);
    const auto z1 = numeric::ReportNormalPoint(0.1);
    const auto asin1 = wsf::Asin(std::sqrt(*t.p1));
    const auto asin2 = wsf::Asin(std::sqrt(*t.p2));
    if (!asin1 || !asin2) return result;
    const double pi = 4 * std::atan(1.0);
    const double degrees = (*asin1 - *asin2) * 180 / pi;
    if (degrees == 0) return result;

    // 57.3^2 / 2: see the header.
    constexpr double kDegreesSquaredOverTwo = 1641.6;
    auto size = [&](std::optional<double> z, std::optional<double> zBeta) -> std::optional<double> {
        if (!z || !zBeta) return std::nullopt;
        const double ratio = (*z + *zBeta) / degrees;
        const auto n = numeric::Finite(kDegreesSquaredOverTwo * ratio * ratio);
        if (!n) return std::nullopt;
        return format::RoundHalfEven(*n, 0);
    };
    for (auto& entry : result) {
        const auto zBeta = numeric::ReportNormalPoint(2 * entry.beta);
        entry.twoSided = size(z2, zBeta);
        entry.oneSided = size(z1, zBeta);
    }
    return result;
}

std::string SampleSizeText(double size) {
    return std::string("N1=N2=") + (size < 0 ? "" : " ") + format::RoundedText(size, 0);
}

}  // namespace tavelmark::rates
