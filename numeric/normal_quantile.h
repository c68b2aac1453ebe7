#pragma once
// The normal distribution as the analyses take it.
//
// Wherever a classic report needs a normal tail probability or quantile, it
// takes Student's t with kNormalDegreesOfFreedom degrees of freedom through
// the worksheet functions: TDIST(z, 9999, 2) is the two-sided normal tail and
// TINV(p, 9999) the normal point with two-sided probability p. At 9999
// degrees of freedom t lies within 2.4e-4 of the normal (97.5 % point:
// t 1.9602013, z 1.9599640), and every such value of every report comes from
// the three Report... functions below.
//
// The extended sheets use the true normal quantile instead (NormalQuantile).
//
// Where a report uses a fixed multiplier instead, it is one of the constants
// below, written with exactly the digits that the report's numbers rest on.
#include <optional>

namespace tavelmark::numeric {

inline constexpr double kNormalDegreesOfFreedom = 9999;

// TINV(p, 9999): the point whose two-sided tail probability is p, 0 < p <= 1.
std::optional<double> ReportNormalPoint(double twoSidedP);
// TDIST(z, 9999, 2) and TDIST(z, 9999, 1): the two-sided and the upper tail
// beyond z; like TDIST, refused for a negative z.
std::optional<double> ReportNormalTwoSidedP(double z);
std::optional<double> ReportNormalUpperP(double z);

// The standard normal's quantile, the z with P(Z <= z) = p for 0 < p < 1,
// and its upper tail P(Z > z).
double NormalQuantile(double p);
double NormalUpperTail(double z);

// The normal two-sided 95 % point (z = 1.959964) rounded to two decimals:
// the plain 95 % limits of the Bliss LD50 and the score limits of a rate, and
// so also the multiplier by which the LDk comparison's extended sheet turns
// such limits back into a standard error.
inline constexpr double kNormal95TwoDecimals = 1.96;

// The fixed two-sided 95 % multiplier of Fieller's g and limits and of the
// LDk calculator's limits, and the same number rounded to nine decimals, the
// means report's 95 % half-width multiplier. Both agree with TINV(0.05, 9999)
// = 1.9602012636 (R: qt(0.975, 9999)) to six significant digits only, so
// they are kept as written rather than computed: the reports' digits depend
// on them.
inline constexpr double kNormal95Multiplier = 1.96020209842;
inline constexpr double kNormal95MultiplierNineDecimals = 1.960202098;

// The means report's 99 % half-width multiplier; it agrees with
// TINV(0.01, 9999) = 2.5763210959 (R: qt(0.995, 9999)) to six significant
// digits and is kept as written for the same reason.
inline constexpr double kNormal99Multiplier = 2.576325642;

}  // namespace tavelmark::numeric
