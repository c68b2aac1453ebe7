#include "numeric/scale_of_chi.h"

#include <algorithm>
#include <cmath>

#include <boost/math/distributions/chi_squared.hpp>

#include "numeric/gauss_legendre.h"

namespace tavelmark::numeric {

namespace {

constexpr double kSpanTail = 1e-20;
// The body of the distribution: Gauss–Legendre panels of 20 points, about
// 1.25 of them per unit of s, enough for a relative 1e-10 wherever the
// integrand is smooth (a narrow span, large df, takes two).
constexpr int kBodyPoints = 20;
constexpr double kBodyPanelsPerUnit = 1.25;
// Below s = 0.5, panels shrinking by thirds towards 0 (a graded mesh) until
// the mass left below is under 1e-18: the density grows from 0 like
// s^(df−1), which a polynomial rule follows badly for a small fractional df,
// and a large q puts the whole of a small P there, where P(W > q·s) falls.
constexpr double kGradedTop = 0.5;
constexpr double kGradedRatio = 3;
constexpr int kGradedPoints = 16;
constexpr double kGradedMassLeft = 1e-18;

void AddPanel(std::vector<ScaleNode>& nodes, const GaussLegendreRule& rule, double from, double to, double df) {
    const double centre = (from + to) / 2, half = (to - from) / 2;
    for (std::size_t i = 0; i < rule.nodes.size(); ++i) {
        const double s = centre + half * rule.nodes[i];
        nodes.push_back({s, half * rule.weights[i] * ScaleOfChiDensity(s, df)});
    }
}

}  // namespace

double ScaleOfChiDensity(double s, double df) {
    if (!(s > 0)) return 0;
    const boost::math::chi_squared_distribution<double> chi(df);
    return 2 * df * s * boost::math::pdf(chi, df * s * s);
}

ScaleSpan ScaleOfChiSpan(double df) {
    const boost::math::chi_squared_distribution<double> chi(df);
    return {std::sqrt(boost::math::quantile(chi, kSpanTail) / df),
            std::sqrt(boost::math::quantile(boost::math::complement(chi, kSpanTail)) / df)};
}

const std::vector<ScaleNode>& ScaleOfChiNodes(double df) {
    thread_local double cachedDf = -1;
    thread_local std::vector<ScaleNode> cached;
    if (df == cachedDf) return cached;
    static const GaussLegendreRule body = MakeGaussLegendreRule(kBodyPoints);
    static const GaussLegendreRule graded = MakeGaussLegendreRule(kGradedPoints);
    const ScaleSpan span = ScaleOfChiSpan(df);
    cached.clear();
    const double bodyFrom = std::max(span.low, std::min(kGradedTop, span.high / 2));
    const boost::math::chi_squared_distribution<double> chi(df);
    for (double top = bodyFrom; top > span.low && boost::math::cdf(chi, df * top * top) > kGradedMassLeft;) {
        const double bottom = std::max(top / kGradedRatio, span.low);
        AddPanel(cached, graded, bottom, top, df);
        top = bottom;
    }
    const int panels = 1 + static_cast<int>(std::ceil(kBodyPanelsPerUnit * (span.high - bodyFrom)));
    const double width = (span.high - bodyFrom) / panels;
    for (int p = 0; p < panels; ++p) AddPanel(cached, body, bodyFrom + p * width, bodyFrom + (p + 1) * width, df);
    cachedDf = df;
    return cached;
}

}  // namespace tavelmark::numeric
