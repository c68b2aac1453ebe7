#include "analyses/rates/chi_square.h"

#include <algorithm>
#include <cmath>

#include "analyses/rates/checked_math.h"
#include "numeric/finite.h"

namespace tavelmark::rates {

double MinOfFour(double w, double x, double y, double z) {
    double result = w;
    if (x < result) result = x;
    if (y < result) result = y;
    if (z < result) result = z;
    return result;
}

namespace {

// x ln x of a count, 0 for a count of 0: the limit of x ln x as x falls to 0,
// as G = 2 Σ O ln(O/E) takes an empty cell (it adds nothing).
double XLogX(double x) { return x > 0 ? x * std::log(x) : 0.0; }

std::optional<double> LikelihoodRatio(const RateTable& t) {
    // A margin of 0 leaves no expected count to compare with: nothing to test.
    if (!(t.n1 > 0 && t.n2 > 0 && t.m1 > 0 && t.m2 > 0)) return std::nullopt;
    // In the order of the formula: cells, minus margins, plus N ln N.
    const double sum = XLogX(t.a) + XLogX(t.b) + XLogX(t.c) + XLogX(t.d) - XLogX(t.n1) -
                       XLogX(t.n2) - XLogX(t.m1) - XLogX(t.m2) + XLogX(t.N);
    // G is never below 0; the cancellation of the margins' terms can leave a
    // rounding error of either sign where the rates are equal.
    return numeric::Finite(std::max(0.0, 2 * sum));
}

}  // namespace

ChiSquares ComputeChiSquares(const RateTable& t) {
    ChiSquares chi;
    const double margins = t.n1 * t.n2 * t.m1 * t.m2;
    const double cross = t.a * t.d - t.b * t.c;
    chi.pearson = rates::Divide(t.N * cross * cross, margins);
    // The correction never exceeds the difference it corrects (R's chisq.test
    // clips it the same way): otherwise a smaller difference would give a
    // larger statistic.
    const double corrected = std::max(0.0, std::fabs(cross) - t.N / 2);
    chi.yates = rates::Divide(t.N * corrected * corrected, margins);
    if (chi.pearson) chi.mantelHaenszel = rates::Divide(*chi.pearson * (t.N - 1), t.N);
    chi.likelihoodRatio = LikelihoodRatio(t);
    return chi;
}

ExpectedCounts ComputeExpectedCounts(const RateTable& t) {
    return {rates::Divide(t.m1 * t.n1, t.N), rates::Divide(t.m2 * t.n1, t.N),
            rates::Divide(t.m1 * t.n2, t.N), rates::Divide(t.m2 * t.n2, t.N)};
}

bool YatesAdviceApplies(const RateTable& t) { return t.N > kFisherLargestTotal; }

bool FisherAdviceApplies(const RateTable& t, const ExpectedCounts& e) {
    const double smallestExpected =
        MinOfFour(e.a.value_or(0), e.b.value_or(0), e.c.value_or(0), e.d.value_or(0));
    return (t.N < 40 && smallestExpected < 5) || MinOfFour(t.a, t.b, t.c, t.d) <= 2;
}

}  // namespace tavelmark::rates
