#include "analyses/potency/potency_compute.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/fisher_f.hpp>

#include "analyses/potency/potency_chart_data.h"
#include "analyses/potency/potency_estimates.h"
#include "analyses/potency/potency_texts.h"
#include "numeric/holm.h"

namespace tavelmark::potency {

namespace {

constexpr double kStandardLevels[] = {10, 50, 90};

// The levels of the lines' tables and of the ratio test: the standard ones,
// then those asked for (each once).
std::vector<double> Levels(std::vector<double> levels, const std::vector<double>& asked) {
    for (double k : asked)
        if (ValidLDkPercent(k) && std::find(levels.begin(), levels.end(), k) == levels.end()) levels.push_back(k);
    return levels;
}

PreparationLine LineOf(const PotencyData& data, int j, const PotencyOptions& options, const NaturalBlocks& blocks,
                       const std::vector<double>& levels) {
    const FittedLines fitted = FitLines(data, {j}, LineShape::One, options.link, blocks);
    PreparationLine line;
    if (!fitted.fit) {
        line.reason = fitted.reason;
        return line;
    }
    const numeric::QuantalFit& fit = *fitted.fit;
    line.a = fit.coefficients[0];
    line.b = fit.coefficients[1];
    line.vaa = fit.covariance(0, 0);
    line.vab = fit.covariance(0, 1);
    line.vbb = fit.covariance(1, 1);
    line.aSE = std::sqrt(fitted.covariance(0, 0));
    line.bSE = std::sqrt(fitted.covariance(1, 1));
    line.quality = fitted.quality;
    line.natural = fitted.natural;
    const numeric::SquareMatrix& V = fitted.covariance;
    for (double k : levels)
        line.ldk.push_back(
            {k, FiellerDose(options.link, k, line.a, line.b, V(0, 0), V(0, 1), V(1, 1), fitted.quality.multiplier)});
    return line;
}

}  // namespace

ModelTest CompareModels(const FittedLines& smaller, const FittedLines& larger, int df) {
    ModelTest test;
    test.df = df;
    if (!larger.fit || !smaller.fit) {
        test.reason = !larger.fit ? larger.reason : smaller.reason;
        return test;
    }
    // The larger model's deviance can exceed the smaller's only by rounding.
    test.g2 = std::max(0.0, smaller.quality.deviance - larger.quality.deviance);
    test.p = boost::math::cdf(boost::math::complement(boost::math::chi_squared(df), *test.g2));
    if (const auto& h = larger.quality.heterogeneity) {
        FTest f{(*test.g2 / df) / h->h, df, h->df, std::nullopt};
        f.p = boost::math::cdf(boost::math::complement(boost::math::fisher_f(df, h->df), f.F));
        test.f = f;
    }
    return test;
}

PotencyResults ComputePotency(const PotencyData& data, const PotencyOptions& options) {
    PotencyResults out;
    out.data = data;
    out.link = options.link;
    out.natural = options.natural;
    out.blocks = MakeNaturalBlocks(data, options.natural);
    out.levels = Levels({std::begin(kStandardLevels), std::end(kStandardLevels)}, options.extraLDk);
    out.ratioLevels = Levels({50}, options.extraLDk);

    const int k = static_cast<int>(data.preparations.size());
    for (int j = 0; j < k; ++j) out.lines.push_back(LineOf(data, j, options, out.blocks, out.levels));

    std::vector<int> all(k);
    std::iota(all.begin(), all.end(), 0);
    out.separate = FitLines(data, all, LineShape::Separate, options.link, out.blocks);
    out.parallel = FitLines(data, all, LineShape::Parallel, options.link, out.blocks);
    out.one = FitLines(data, all, LineShape::One, options.link, out.blocks);
    out.parallelism = CompareModels(out.parallel, out.separate, k - 1);
    out.equality = CompareModels(out.one, out.parallel, k - 1);
    out.coincidence = CompareModels(out.one, out.separate, 2 * (k - 1));
    out.parallelismRejected = out.parallelism.p && *out.parallelism.p < 0.05;

    if (out.parallel.fit) {
        const int s = static_cast<int>(out.parallel.fit->coefficients.size()) - 1;
        out.slope = out.parallel.fit->coefficients[s];
        out.slopeSE = std::sqrt(out.parallel.covariance(s, s));
    }
    for (int j = 0; j < k; ++j) out.parallelLD50.push_back(ParallelLDk(out.parallel, j, 50, options.link));
    const auto pairs = PreparationPairs(k, data.reference);
    for (const auto& [i, j] : pairs) out.potency.push_back(RelativePotency(out.parallel, i, j));

    for (double level : out.ratioLevels) {
        const std::size_t first = out.ratioTests.size();
        for (const auto& [i, j] : pairs)
            out.ratioTests.push_back(LDkRatioTest(out.lines[i], out.lines[j], i, j, level, options.link));
        // Holm's adjustment over the pairs at this level, among the tests that have a P.
        std::vector<double> p;
        for (std::size_t t = first; t < out.ratioTests.size(); ++t)
            if (out.ratioTests[t].p) p.push_back(*out.ratioTests[t].p);
        const std::vector<double> adjusted = numeric::HolmAdjusted(p);
        std::size_t next = 0;
        for (std::size_t t = first; t < out.ratioTests.size(); ++t)
            if (out.ratioTests[t].p) out.ratioTests[t].holm = adjusted[next++];
    }
    out.table = DataRowsOf(out);
    out.chart = ChartDataOf(out);
    return out;
}

}  // namespace tavelmark::potency
