#pragma once
// Student's t test with pooled variance and the t' test for unequal
// variances by three methods: corrected degrees of freedom, Cochran-Cox
// corrected critical values, and Satterthwaite (Welch-Aspin). Every P value
// and critical value comes from the t distribution's worksheet functions,
// which truncate fractional degrees of freedom.
#include <optional>
#include <span>

#include "analyses/means/descriptive_statistics.h"

namespace tavelmark::means {

struct TCriticalValues {
    std::optional<double> twoSided05, oneSided05, twoSided01, oneSided01;
};
TCriticalValues TCritical(std::optional<double> df);

struct StudentTTest {
    std::optional<double> t;  // |t|
    double df = 0;
    std::optional<double> pTwoSided, pOneSided;
    TCriticalValues critical;
};
StudentTTest PooledTTest(std::span<const double> t, std::span<const double> r,
                         const GroupDescription& dt, const GroupDescription& dr);

// t' with the degrees of freedom of one method (shown unrounded).
struct WelchTypeTest {
    std::optional<double> t;
    std::optional<double> df;
    std::optional<double> pTwoSided, pOneSided;
    TCriticalValues critical;
};

enum class CochranCoxRange { Above05, Between, AtMost01 };
struct CochranCoxTest {
    std::optional<double> t;
    double df = 0;  // shown as n1 + n2 - 2
    std::optional<double> critical05, critical01;
    std::optional<CochranCoxRange> range;
};
// "P>0.05", "0.01< P ≤0.05", "P≤0.01"; kNotComputable when t' or a limit is missing.
const char* CochranCoxRangeText(std::optional<CochranCoxRange> range);
const char* CochranCoxConclusion(std::optional<CochranCoxRange> range);

struct TPrimeTests {
    std::optional<double> tPrime;  // d / sqrt(v1 + v2)
    WelchTypeTest correctedDf;     // ν1 = (n1 + n2 - 2)(1/2 + s1²s2² / (s1⁴ + s2⁴))
    CochranCoxTest cochranCox;
    WelchTypeTest satterthwaite;   // ν2 = (v1 + v2)² / (v1²/(n1 - 1) + v2²/(n2 - 1))
};
TPrimeTests UnequalVarianceTests(const GroupDescription& dt, const GroupDescription& dr);

}  // namespace tavelmark::means
