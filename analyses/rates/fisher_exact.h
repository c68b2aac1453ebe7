#pragma once
// Fisher's exact probabilities of the 2x2 table: the one-sided probability on
// the observed side, the probability of the opposite side and the two-sided
// probability, all from hypergeometric table probabilities with the observed
// margins.
#include <optional>

#include "analyses/rates/rate_table.h"

namespace tavelmark::rates {

// log10(n!) as the sum of log10(i) for i = 1..n; 0 for n <= 0.
double Log10Factorial(int n);

struct FisherProbabilities {
    // More than 200 subjects: the probabilities are not computed and the
    // report shows "---" in their place.
    bool tooLarge = false;
    // Empty for an empty table (N = 0), which has no probability to speak of.
    std::optional<double> oneSided;
    std::optional<double> oppositeSide;
    std::optional<double> twoSided;
};

// One-sided: a zero cell puts the observed table at an end of the range, and
// its own probability is the answer; otherwise the tail from the observed
// table towards more T positives when R's rate is not above T's
// (a/n1 <= c/n2, compared as a n2 <= c n1), else towards more R positives.
// Opposite side: with equal groups the one-sided value again; otherwise the
// tables walked inward from the other extreme while their rate difference is
// at least the observed one. Two-sided: with equal groups twice the one-sided
// value (at most 1); otherwise every table whose rate difference is at least
// the observed one.
FisherProbabilities ComputeFisherProbabilities(const RateTable& t);

}  // namespace tavelmark::rates
