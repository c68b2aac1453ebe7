#pragma once
// The probit arithmetic of the Bliss method: the empirical probit of an
// observed rate and the working probit of one round of the iteration.

namespace tavelmark::bliss {

// Probit (normal quantile + 5) of a rate 0 < P < 1 by a rational
// approximation (Abramowitz & Stegun 26.2.23 in form; the constants are the
// method's own and differ in a few digits from the published set).
double EmpiricalProbit(double P);

// Empirical probit of a group of size n, with the customary end values for a
// rate of 0 or 1, where the probit itself is infinite.
double GroupEmpiricalProbit(double P, double n);

struct WorkingProbitValues {
    double w = 0;  // weighting coefficient Z^2 / (Phi (1 - Phi)) at Y
    double y = 0;  // working probit Y + (P - Phi) / Z
};

// Weighting coefficient and working probit at the expected probit Y for the
// rate P; the normal tail by Abramowitz & Stegun 26.2.17. Far out in the
// tails, where the density underflows, the group carries no weight and its
// working probit is Y itself.
WorkingProbitValues WorkingProbit(double Y, double P);

}  // namespace tavelmark::bliss
