#pragma once
// Confidence limits of the noncentrality of an observed F, by inverting the
// noncentral F distribution in its noncentrality (Steiger & Fouladi 1997;
// Steiger, Psychol. Methods 9 (2004) 164–182): the limits of effect sizes
// such as η² = λ / (λ + N) follow from them.
#include <optional>

namespace tavelmark::numeric {

struct NoncentralityLimits {
    double lower = 0;
    double upper = 0;
};

// λ_L and λ_U with P(F' ≤ f | λ_L) = (1 + level)/2 and P(F' ≤ f | λ_U) =
// (1 − level)/2, each 0 where even λ = 0 leaves f too small. Empty for an f
// below 0 or not finite, df below or at 0, or a level outside (0, 1).
std::optional<NoncentralityLimits> FNoncentralityLimits(double f, double df1, double df2, double level);

}  // namespace tavelmark::numeric
