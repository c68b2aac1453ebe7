#pragma once
// Upper tails and points of the reference distributions, with fractional
// degrees of freedom kept as they are (Welch's and Satterthwaite's df are not
// truncated here, unlike the spreadsheet functions of the classic reports).
// Arguments outside a distribution's domain give NaN.
namespace tavelmark::multigroup {

double FUpper(double f, double df1, double df2);
double ChiSquareUpper(double x, double df);
// P(|T| > |t|) for Student's t with df degrees of freedom.
double TTwoSided(double t, double df);
// The t with P(|T| > t) = p.
double TPoint(double p, double df);
// P(|Z| > |z|) for the standard normal.
double ZTwoSided(double z);

}  // namespace tavelmark::multigroup
