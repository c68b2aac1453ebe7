#pragma once
// The studentized range distribution: Q = (largest − smallest of k
// independent normal means) / s, where s² is an independent estimate of their
// variance with df degrees of freedom. Tukey's, the Tukey–Kramer, SNK and
// Games–Howell comparisons take their P values and critical points from it.
//
// P(Q > q) = ∫₀^∞ g_df(s) P(W > q·s) ds, W the range of k standard normals and
// g_df the density of χ_df/√df, after Copenhaver & Holland, J. Stat. Comput.
// Simul. 30 (1988) 1–15: both integrals by Gauss–Legendre rules on panels.
// Relative error below 1e-9 for P values down to 1e-11 (checked against an
// independent adaptive integral, tests/numeric/data/studentized_range.R).
#include <optional>

namespace tavelmark::numeric {

// P(Q > q) for k ≥ 2 means and df > 0 degrees of freedom (infinity: the
// variance is known). Empty for arguments outside these ranges or not numbers.
std::optional<double> StudentizedRangeUpper(double q, int k, double df);

// The q with P(Q > q) = upper, 0 < upper < 1 (q₀.₉₅ is upper = 0.05), to a
// relative 1e-12 in q.
std::optional<double> StudentizedRangeQuantile(double upper, int k, double df);

}  // namespace tavelmark::numeric
