#pragma once
// The scale factor s = χ_df / √df of a variance estimate with df degrees of
// freedom: the outer variable of the studentized range and Dunnett integrals,
// P(statistic > c) = ∫ g_df(s) P(known-variance statistic > c·s) ds.
#include <vector>

namespace tavelmark::numeric {

// g_df(s) = 2·df·s · f_χ²(df·s²), the density of χ_df/√df.
double ScaleOfChiDensity(double s, double df);

struct ScaleSpan {
    double low = 0, high = 0;
};
// Where all but 1e-20 of the distribution lies at either end: beyond it the
// integrals lose nothing a P value of 1e-18 would show.
ScaleSpan ScaleOfChiSpan(double df);

struct ScaleNode {
    double s;
    double weight;  // quadrature weight times g_df(s)
};
// Gauss–Legendre nodes over the span, panel by panel, with the density folded
// into the weights: Σ weight·f(s) ≈ ∫ g_df(s) f(s) ds for smooth f bounded by
// 1. The last degrees of freedom asked for are remembered (a quantile search
// and the pairs of one analysis ask for the same df again and again).
const std::vector<ScaleNode>& ScaleOfChiNodes(double df);

}  // namespace tavelmark::numeric
