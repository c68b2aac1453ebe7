#include "analyses/potency/potency_models.h"

#include <algorithm>
#include <cmath>

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>

#include "analyses/potency/potency_messages.h"
#include "analyses/potency/potency_texts.h"
#include "numeric/log10.h"

namespace tavelmark::potency {

using numeric::NaturalResponse, numeric::QuantalGroup;

namespace {

// Finney's rule (Probit Analysis, 3rd ed., 1971, sec. 4.4).
constexpr double kHeterogeneityP = 0.15;

double RateOf(const std::vector<DoseGroup>& controls) {
    double n = 0, r = 0;
    for (const DoseGroup& g : controls) {
        n += g.n;
        r += g.positives;
    }
    return n > 0 ? r / n : 0.0;
}

std::vector<numeric::LinePoint> LineOf(const Preparation& p) {
    std::vector<numeric::LinePoint> line;
    for (const DoseGroup& g : p.groups) line.push_back({numeric::Log10(g.dose), g.n, g.positives});
    return line;
}

// Whether the counts alone rule out a finite estimate of this shape.
bool Separated(const PotencyData& data, const std::vector<int>& preparations, LineShape shape) {
    std::vector<std::vector<numeric::LinePoint>> lines;
    for (int j : preparations) lines.push_back(LineOf(data.preparations[j]));
    switch (shape) {
        case LineShape::Separate:
            return numeric::SeparateLinesSeparated(lines);
        case LineShape::Parallel:
            return numeric::ParallelLinesSeparated(lines);
        case LineShape::One: {
            std::vector<numeric::LinePoint> pooled;
            for (const auto& line : lines) pooled.insert(pooled.end(), line.begin(), line.end());
            return numeric::LineSeparation(pooled) != numeric::SeparationDirection::None;
        }
    }
    return false;
}

const char* FailureText(numeric::QuantalFailure failure) {
    switch (failure) {
        case numeric::QuantalFailure::RankDeficient:
            return text::kRankDeficient;
        case numeric::QuantalFailure::NoFiniteEstimate:
            return text::kSeparated;
        case numeric::QuantalFailure::Singular:
            return text::kSingular;
        case numeric::QuantalFailure::NotConverged:
        case numeric::QuantalFailure::None:
            break;
    }
    return text::kNotConverged;
}

GoodnessOfFit QualityOf(const numeric::QuantalFit& fit) {
    GoodnessOfFit q;
    q.deviance = fit.deviance;
    q.pearson = fit.pearsonChi2;
    q.df = fit.df;
    q.multiplier = NormalQuantile975();
    if (q.df < 1 || !std::isfinite(q.pearson)) return q;
    q.p = boost::math::cdf(boost::math::complement(boost::math::chi_squared(q.df), q.pearson));
    if (*q.p < kHeterogeneityP) {
        const double t = boost::math::quantile(boost::math::students_t(q.df), 0.975);
        q.heterogeneity = Heterogeneity{q.pearson / q.df, q.df, t};
        q.multiplier = t;
    }
    return q;
}

}  // namespace

double NormalQuantile975() {
    static const double z = boost::math::quantile(boost::math::normal(), 0.975);
    return z;
}

NaturalBlocks MakeNaturalBlocks(const PotencyData& data, NaturalResponseOption option) {
    NaturalBlocks blocks;
    blocks.mode = option == NaturalResponseOption::Estimate ? NaturalResponse::Estimated
                  : option == NaturalResponseOption::Abbott ? NaturalResponse::Fixed
                                                            : NaturalResponse::None;
    int shared = -1;
    for (const Preparation& p : data.preparations) {
        if (!p.controls.empty()) {
            blocks.blockOf.push_back(static_cast<int>(blocks.labels.size()));
            blocks.labels.push_back(p.name);
            blocks.abbottRates.push_back(RateOf(p.controls));
            blocks.hasControls.push_back(true);
            continue;
        }
        if (shared < 0) {
            shared = static_cast<int>(blocks.labels.size());
            blocks.labels.push_back(text::kControlName);
            blocks.abbottRates.push_back(RateOf(data.sharedControls));
            blocks.hasControls.push_back(!data.sharedControls.empty());
        }
        blocks.blockOf.push_back(shared);
    }
    return blocks;
}

LinesModel BuildLinesModel(const PotencyData& data, const std::vector<int>& preparations, LineShape shape,
                           numeric::QuantalLink link, const NaturalBlocks& natural,
                           const std::optional<TiedPotency>& tied) {
    LinesModel out;
    numeric::QuantalModel& model = out.model;
    model.link = link;
    model.natural = natural.mode;
    const int k = static_cast<int>(preparations.size());
    const int intercepts = shape == LineShape::One ? 1 : k - (tied ? 1 : 0);
    model.coefficients = intercepts + (shape == LineShape::Separate ? k : 1);

    // The intercept column of each preparation of the model.
    std::vector<int> interceptOf(k, 0);
    if (shape != LineShape::One) {
        int column = 0;
        for (int j = 0; j < k; ++j)
            if (!tied || j != tied->tied) interceptOf[j] = column++;
        if (tied) interceptOf[tied->tied] = interceptOf[tied->anchor];
    }
    // Blocks of the natural rate renumbered to those the model uses.
    std::vector<int> localBlock(natural.labels.size(), -1);
    std::vector<int> blockOfPreparation(k);
    for (int j = 0; j < k; ++j) {
        const int b = natural.blockOf[preparations[j]];
        if (localBlock[b] < 0) {
            localBlock[b] = static_cast<int>(out.blocks.size());
            out.blocks.push_back(b);
        }
        blockOfPreparation[j] = localBlock[b];
    }
    model.blocks = std::max<int>(1, static_cast<int>(out.blocks.size()));
    for (int b : out.blocks) model.fixedRates.push_back(natural.abbottRates[b]);

    const bool controlsInLikelihood = natural.mode == NaturalResponse::Estimated;
    const auto addControl = [&](const DoseGroup& g, int block) {
        model.groups.push_back(QuantalGroup{{}, g.n, g.positives, block});
        out.rows.push_back(g.row);
    };
    for (int j = 0; j < k; ++j) {
        const Preparation& p = data.preparations[preparations[j]];
        if (controlsInLikelihood)
            for (const DoseGroup& g : p.controls) addControl(g, blockOfPreparation[j]);
        const double shift = tied && j == tied->tied ? tied->m : 0.0;
        for (const DoseGroup& g : p.groups) {
            QuantalGroup q{std::vector<double>(model.coefficients, 0.0), g.n, g.positives, blockOfPreparation[j]};
            q.design[interceptOf[j]] = 1;
            q.design[intercepts + (shape == LineShape::Separate ? j : 0)] = numeric::Log10(g.dose) + shift;
            model.groups.push_back(std::move(q));
            out.rows.push_back(g.row);
        }
    }
    // The shared controls belong to the model when one of its preparations
    // takes the shared rate.
    if (controlsInLikelihood)
        for (std::size_t local = 0; local < out.blocks.size(); ++local)
            if (natural.labels[out.blocks[local]] == text::kControlName)
                for (const DoseGroup& g : data.sharedControls) addControl(g, static_cast<int>(local));
    return out;
}

FittedLines FitLines(const PotencyData& data, const std::vector<int>& preparations, LineShape shape,
                     numeric::QuantalLink link, const NaturalBlocks& natural) {
    FittedLines out;
    out.lines = BuildLinesModel(data, preparations, shape, link, natural);
    if (Separated(data, preparations, shape)) {
        out.reason = text::kSeparated;
        return out;
    }
    const numeric::QuantalOutcome outcome = numeric::FitQuantal(out.lines.model);
    if (!outcome.fit) {
        out.reason = FailureText(outcome.failure);
        return out;
    }
    const numeric::QuantalFit& fit = *outcome.fit;
    for (double v : fit.covariance.values)
        if (!std::isfinite(v)) {
            out.reason = text::kBeyondRange;
            return out;
        }
    out.fit = fit;
    out.quality = QualityOf(fit);
    const double h = out.quality.heterogeneity ? out.quality.heterogeneity->h : 1.0;
    out.covariance = fit.covariance;
    for (double& v : out.covariance.values) v *= h;
    if (natural.mode != NaturalResponse::None) {
        for (std::size_t b = 0; b < out.lines.blocks.size(); ++b) {
            NaturalRate rate{natural.labels[out.lines.blocks[b]], fit.naturalRates[b], fit.naturalStates[b], {}};
            if (fit.naturalIndex[b] >= 0) {
                const int i = fit.naturalIndex[b];
                rate.se = std::sqrt(out.covariance(i, i));
            }
            out.natural.push_back(rate);
        }
    }
    return out;
}

}  // namespace tavelmark::potency
