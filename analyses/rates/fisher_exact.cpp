#include "analyses/rates/fisher_exact.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "analyses/rates/chi_square.h"
#include "numeric/log10.h"

namespace tavelmark::rates {

double Log10Factorial(int n) {
    double sum = 0;
    for (int i = 1; i <= n; ++i) sum += numeric::Log10(i);
    return sum;
}

namespace {

// The tables with the observed margins, indexed by x, the positives of group R.
class MarginTables {
public:
    MarginTables(int n1, int n2, int m1, int m2)
        : n1_(n1), n2_(n2), m1_(m1), lowest_(std::max(0, m1 - n2)), highest_(std::min(n1, m1)) {
        // Log10Factorial(0..N) as running sums: each entry equals the direct
        // sum (same terms, same order) but the whole table costs N logarithms
        // instead of N for every table probability.
        const int total = n1 + n2;
        log10Factorials_.resize(total + 1);
        log10Factorials_[0] = 0;
        for (int i = 1; i <= total; ++i) log10Factorials_[i] = log10Factorials_[i - 1] + numeric::Log10(i);
        numerator_ = lf(n1) + lf(n2) + lf(m1) + lf(m2);
    }

    int lowest() const { return lowest_; }
    int highest() const { return highest_; }

    // Hypergeometric probability of the table with x positives in group R,
    // assembled in base-10 logarithms so no factorial is formed.
    double probability(int x) const {
        return std::pow(10.0, numerator_ - lf(x) - lf(n1_ - x) - lf(m1_ - x) -
                                  lf(n2_ - m1_ + x) - lf(n1_ + n2_));
    }

    // |(m1 - x)/n2 - x/n1| scaled by n1 n2: whole numbers, so tables with the
    // same rate difference compare equal (the quotients in floating point
    // need not).
    long long scaledDifference(int x) const {
        return std::llabs(static_cast<long long>(m1_ - x) * n1_ - static_cast<long long>(x) * n2_);
    }

private:
    double lf(int n) const { return log10Factorials_[n]; }

    int n1_, n2_, m1_;
    int lowest_, highest_;
    double numerator_ = 0;
    std::vector<double> log10Factorials_;
};

double SumRange(const MarginTables& tables, int from, int to, int step) {
    double sum = 0;
    for (int x = from; step > 0 ? x <= to : x >= to; x += step) sum += tables.probability(x);
    return sum;
}

}  // namespace

FisherProbabilities ComputeFisherProbabilities(const RateTable& t) {
    FisherProbabilities result;
    if (t.N > kFisherLargestTotal) {
        result.tooLarge = true;
        return result;
    }
    if (t.N <= 0) return result;

    const int a = static_cast<int>(t.a), b = static_cast<int>(t.b);
    const int c = static_cast<int>(t.c), d = static_cast<int>(t.d);
    const int n1 = a + b, n2 = c + d, m1 = a + c, m2 = b + d;
    const MarginTables tables(n1, n2, m1, m2);

    // The side is chosen by the rates, compared exactly as whole numbers; a
    // tie takes the T side. Walking x down means more T positives.
    const bool towardsT = static_cast<long long>(a) * n2 <= static_cast<long long>(c) * n1;
    double oneSided = 0;
    if (a == 0 || b == 0 || c == 0 || d == 0)
        oneSided = tables.probability(a);
    else if (towardsT)
        oneSided = SumRange(tables, a, tables.lowest(), -1);
    else
        oneSided = SumRange(tables, a, tables.highest(), +1);

    double opposite = 0, twoSided = 0;
    if (n1 == n2) {
        opposite = oneSided;
        twoSided = std::min(1.0, 2 * oneSided);
    } else {
        const long long observed = tables.scaledDifference(a);
        // From the far extreme inward, while the tables are at least as
        // different as the observed one; the walk never leaves the valid range.
        const int start = towardsT ? tables.highest() : tables.lowest();
        const int step = towardsT ? -1 : +1;
        for (int x = start; x >= tables.lowest() && x <= tables.highest(); x += step) {
            if (tables.scaledDifference(x) < observed) break;
            opposite += tables.probability(x);
        }
        for (int x = tables.lowest(); x <= tables.highest(); ++x)
            if (tables.scaledDifference(x) >= observed) twoSided += tables.probability(x);
    }

    // Sums of rounded probabilities can pass 1 in the last digits; a
    // probability is never above 1.
    result.oneSided = std::min(1.0, oneSided);
    result.oppositeSide = std::min(1.0, opposite);
    result.twoSided = std::min(1.0, twoSided);
    return result;
}

}  // namespace tavelmark::rates
