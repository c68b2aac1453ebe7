#include "analyses/means/t_tests.h"

#include <cmath>

#include "analyses/means/pooled_variance.h"
#include "analyses/means/significance.h"
#include "numeric/finite.h"
#include "numeric/worksheet_functions.h"

namespace tavelmark::means {

namespace wsf = numeric::wsf;
using numeric::Finite;

namespace {

std::optional<double> Tail(std::optional<double> x, std::optional<double> df, int tails) {
    if (!x || !df) return std::nullopt;
    return wsf::Tdist(*x, *df, tails);
}

WelchTypeTest WelchType(std::optional<double> tPrime, std::optional<double> df) {
    WelchTypeTest w;
    w.t = tPrime;
    w.df = df;
    w.pTwoSided = Tail(tPrime, df, 2);
    w.pOneSided = Tail(tPrime, df, 1);
    w.critical = TCritical(df);
    return w;
}

}  // namespace

TCriticalValues TCritical(std::optional<double> df) {
    if (!df) return {};
    return {wsf::Tinv(0.05, *df), wsf::Tinv(0.10, *df), wsf::Tinv(0.01, *df),
            wsf::Tinv(0.02, *df)};
}

StudentTTest PooledTTest(std::span<const double> t, std::span<const double> r,
                         const GroupDescription& dt, const GroupDescription& dr) {
    StudentTTest s;
    s.df = dt.n + dr.n - 2;
    s.pTwoSided = wsf::Ttest(t, r, 2, 2);
    s.pOneSided = wsf::Ttest(t, r, 1, 2);
    // |t| is read back from the two-sided P value.
    if (s.pTwoSided) s.t = wsf::Tinv(*s.pTwoSided, s.df);
    // A P value that underflowed to 0 has no inverse; the pooled formula gives
    // the same |t| directly.
    if (s.pTwoSided && !s.t && dt.mean && dr.mean && dt.sd && dr.sd) {
        const double pooledVariance =
            PooledVariance(dt.n, *dt.sd * *dt.sd, dr.n, *dr.sd * *dr.sd);
        s.t = Finite(std::fabs(*dt.mean - *dr.mean) /
                     std::sqrt(pooledVariance * (1.0 / dt.n + 1.0 / dr.n)));
    }
    s.critical = TCritical(s.df);
    return s;
}

const char* CochranCoxRangeText(std::optional<CochranCoxRange> range) {
    if (!range) return kNotComputable;
    switch (*range) {
        case CochranCoxRange::Above05: return "P>0.05";
        case CochranCoxRange::Between: return "0.01< P ≤0.05";
        case CochranCoxRange::AtMost01: return "P≤0.01";
    }
    return kNotComputable;
}

const char* CochranCoxConclusion(std::optional<CochranCoxRange> range) {
    if (!range) return kNotComputable;
    switch (*range) {
        case CochranCoxRange::Above05: return "差异无统计意义";
        case CochranCoxRange::Between: return "差异有统计意义";
        case CochranCoxRange::AtMost01: return "差异有高度统计意义";
    }
    return kNotComputable;
}

TPrimeTests UnequalVarianceTests(const GroupDescription& dt, const GroupDescription& dr) {
    TPrimeTests out;
    out.cochranCox.df = dt.n + dr.n - 2;
    if (!dt.mean || !dr.mean || !dt.sd || !dr.sd) return out;
    const int n1 = dt.n, n2 = dr.n;
    const double s1 = *dt.sd * *dt.sd, s2 = *dr.sd * *dr.sd;  // variances
    const double v1 = s1 / n1, v2 = s2 / n2;
    const double d = std::fabs(*dt.mean - *dr.mean);

    if (v1 + v2 > 0) out.tPrime = Finite(d / std::sqrt(v1 + v2));

    std::optional<double> nu1;
    if (s1 * s1 + s2 * s2 > 0)
        nu1 = Finite((n1 + n2 - 2) * (0.5 + s1 * s2 / (s1 * s1 + s2 * s2)));
    out.correctedDf = WelchType(out.tPrime, nu1);

    std::optional<double> nu2;
    const double welchDenominator = v1 * v1 / (n1 - 1) + v2 * v2 / (n2 - 1);
    if (welchDenominator > 0) nu2 = Finite((v1 + v2) * (v1 + v2) / welchDenominator);
    out.satterthwaite = WelchType(out.tPrime, nu2);

    // Cochran-Cox: the critical value is the variance-weighted mean of the
    // two groups' own t critical values.
    auto& cc = out.cochranCox;
    cc.t = out.tPrime;
    auto corrected = [&](double alpha) -> std::optional<double> {
        const auto t1 = wsf::Tinv(alpha, n1 - 1);
        const auto t2 = wsf::Tinv(alpha, n2 - 1);
        if (!t1 || !t2 || !(v1 + v2 > 0)) return std::nullopt;
        return Finite((*t1 * v1 + *t2 * v2) / (v1 + v2));
    };
    cc.critical05 = corrected(0.05);
    cc.critical01 = corrected(0.01);
    if (cc.t && cc.critical05 && cc.critical01) {
        if (*cc.t < *cc.critical05)
            cc.range = CochranCoxRange::Above05;
        else if (*cc.t >= *cc.critical01)
            cc.range = CochranCoxRange::AtMost01;
        else
            cc.range = CochranCoxRange::Between;
    }
    return out;
}

}  // namespace tavelmark::means
