#pragma once
// Dunnett's many-to-one comparisons: the joint distribution of the t
// statistics of m treatments against one control, all sharing the control's
// mean and one variance estimate with df degrees of freedom. The statistics
// of treatments i and j correlate by λ_i·λ_j, λ_i = √(n_i / (n_i + n_0)).
//
// Two-sided, P(max_j |T_j| > c) = ∫₀^∞ g_df(s) ∫ φ(z) [1 − Π_j (1 − q_j)] dz ds,
// q_j = Φ̄((c·s − λ_j z)/√(1 − λ_j²)) + Φ((−c·s − λ_j z)/√(1 − λ_j²)), g_df the
// density of χ_df/√df: the product-correlation form of Dunnett, JASA 50
// (1955) 1096–1121, and of Dunnett's AS 251, Appl. Statist. 38 (1989)
// 564–579. Both integrals are adaptive Gauss–Kronrod: fixed rules of 48
// nodes are off by 1e-4 for a control of 2 against treatments of 100, whose
// λ near 1 makes the inner integrand narrow. 1 − Π(1 − q_j) is formed as
// −expm1(Σ log1p(−q_j)), so that a small P keeps its digits.
#include <optional>
#include <span>

namespace tavelmark::numeric {

// λ = √(n / (n + n0)) of a treatment of n values against a control of n0.
double DunnettLambda(double n, double n0);

// P(max_j |T_j| > c) for the treatments' λ (each in (0, 1)) and df > 0
// (infinity: the variance is known). Empty for arguments outside these
// ranges, no treatment, or a c that is not a number.
std::optional<double> DunnettUpper(double c, std::span<const double> lambdas, double df);

// The c with P(max_j |T_j| > c) = upper, 0 < upper < 1: the two-sided
// critical value of the simultaneous tests and limits, to a relative 1e-10.
std::optional<double> DunnettCritical(double upper, std::span<const double> lambdas, double df);

}  // namespace tavelmark::numeric
