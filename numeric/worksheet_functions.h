#pragma once
// The spreadsheet's worksheet functions the analyses call, with their
// documented meaning. A call the spreadsheet would answer with an error value
// (#DIV/0!, #NUM!, #N/A) returns an empty optional: that is how "leave the
// result empty and go on" is carried through the analyses. Every function
// also refuses non-finite input and a result that is not finite; the range
// statistics refuse an empty range (MIN and MAX included), STDEV fewer than
// 2 values, SKEW fewer than 3, KURT fewer than 4, and SKEW and KURT constant
// data.
#include <optional>
#include <span>

namespace tavelmark::numeric::wsf {

using Values = std::span<const double>;

std::optional<double> Average(Values x);
std::optional<double> Stdev(Values x);  // divisor n - 1
std::optional<double> Min(Values x);
std::optional<double> Max(Values x);
std::optional<double> Median(Values x);
// Value at rank k(n - 1) + 1 of the sorted values, linear between neighbours.
std::optional<double> Percentile(Values x, double k);
// The most frequent value; among equally frequent ones the one met first in
// the order given. Refused when no value repeats.
std::optional<double> Mode(Values x);
// MEDIAN, PERCENTILE and MODE of values the caller has already sorted
// ascending, with the same answers and refusals as the functions above on the
// unsorted values: a caller needing several order statistics of one range
// sorts it once. Values holding NaN cannot be sorted; test them before sorting
// (these functions refuse non-finite values like the others).
std::optional<double> MedianOfSorted(Values sorted);
std::optional<double> PercentileOfSorted(Values sorted, double k);
// x in the order given (its first-met value wins a tie), sorted the same
// values ascending.
std::optional<double> ModeOfSorted(Values x, Values sorted);
std::optional<double> Geomean(Values x);  // refused unless all values are positive
std::optional<double> Harmean(Values x);  // refused unless all values are positive
std::optional<double> Skew(Values x);
std::optional<double> Kurt(Values x);
std::optional<double> Asin(double x);  // radians; refused outside [-1, 1]
// Upper-tail probability of chi-square; df truncated, refused below 1.
std::optional<double> Chidist(double x, double df);
// F with upper-tail probability p, 0 < p <= 1; degrees of freedom truncated,
// refused below 1.
std::optional<double> Finv(double p, double df1, double df2);
// One- or two-tailed upper probability of Student's t. Refuses negative x,
// fewer than 1 degree of freedom and tails other than 1 or 2; truncates df.
std::optional<double> Tdist(double x, double df, int tails);
// t whose two-tailed probability is p, 0 < p <= 1; df truncated, refused below 1.
std::optional<double> Tinv(double p, double df);
// P of Student's t test: type 1 paired (equal lengths), 2 equal variances,
// 3 unequal variances (Welch, fractional Welch-Satterthwaite df, not
// truncated). Tails 1 or 2; the tail lies beyond |t|.
std::optional<double> Ttest(Values a, Values b, int tails, int type);
// Least-squares line of y on x; refused for unequal lengths or x all equal.
std::optional<double> Slope(Values y, Values x);
std::optional<double> Intercept(Values y, Values x);

}  // namespace tavelmark::numeric::wsf
