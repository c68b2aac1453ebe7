// The studentized range distribution against R's adaptive quadrature of its
// textbook integral (data/studentized_range.R -> .csv), the spot values every
// implementation of it is compared with, and the identity of two means.
#include <cmath>
#include <limits>
#include <numbers>
#include <string>

#include <boost/math/distributions/students_t.hpp>
#include <gtest/gtest.h>

#include "numeric/studentized_range.h"
#include "support/reference_table.h"
#include "support/tolerance.h"

namespace tavelmark::numeric {
namespace {

using test::Near;

double RangeDfOf(const test::ReferenceRow& row) {
    return row.isInf("df") ? std::numeric_limits<double>::infinity() : row.number("df");
}

TEST(StudentizedRange, UpperTailMatchesTheAdaptiveIntegral) {
    for (const auto& row : test::ReadReferenceTable(std::string(WSF_REFERENCE_DATA) + "/studentized_range.csv")) {
        if (row.text("kind") != "upper") continue;
        const auto p = StudentizedRangeUpper(row.number("q"), static_cast<int>(row.number("k")), RangeDfOf(row));
        ASSERT_TRUE(p) << row.text("q");
        EXPECT_TRUE(Near(*p, row.number("upper"), 1e-9)) << "q " << row.text("q") << " k " << row.text("k")
                                                          << " df " << row.text("df");
    }
}

TEST(StudentizedRange, QuantileMatchesTheAdaptiveIntegralsRoot) {
    for (const auto& row : test::ReadReferenceTable(std::string(WSF_REFERENCE_DATA) + "/studentized_range.csv")) {
        if (row.text("kind") != "quantile") continue;
        const auto q = StudentizedRangeQuantile(row.number("upper"), static_cast<int>(row.number("k")), RangeDfOf(row));
        ASSERT_TRUE(q);
        EXPECT_TRUE(Near(*q, row.number("q"), 1e-10)) << "k " << row.text("k") << " df " << row.text("df");
    }
}

// Published spot values (ten significant digits for P). The last one, to
// seven decimals, is a coarser solver's: the exact point is 4.4741242217, so
// it holds to its relative 6e-8 only.
TEST(StudentizedRange, SpotValues) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Upper {
        double q;
        int k;
        double df, p;
    };
    for (const Upper& c : {Upper{3.5, 3, 27, 0.05049068060}, Upper{5.5, 10, 20, 0.02431322617},
                           Upper{6, 3, 2, 0.09209380425}})
        EXPECT_TRUE(Near(*StudentizedRangeUpper(c.q, c.k, c.df), c.p, 2e-10)) << c.q;
    EXPECT_TRUE(test::SameTo(*StudentizedRangeQuantile(0.05, 3, 27), 3.5064261, 7));
    EXPECT_TRUE(Near(*StudentizedRangeQuantile(0.05, 10, inf), 4.4741245, 1e-7));
}

// The range of two means is √2 |t|: P(Q > q) = P(|T| > q/√2) for any df,
// fractional ones (Games–Howell) included.
TEST(StudentizedRange, TwoMeansAreTheTwoSidedT) {
    for (double df : {1.0, 2.5, 7.0, 27.0, 598.3}) {
        const boost::math::students_t_distribution<double> t(df);
        for (double q : {0.3, 1.9, 4.2, 9.0}) {
            const double expected = 2 * cdf(complement(t, q / std::numbers::sqrt2));
            EXPECT_TRUE(Near(*StudentizedRangeUpper(q, 2, df), expected, 1e-9)) << "df " << df << " q " << q;
        }
        const double point = std::numbers::sqrt2 * quantile(complement(t, 0.025));
        EXPECT_TRUE(Near(*StudentizedRangeQuantile(0.05, 2, df), point, 1e-10)) << df;
    }
}

TEST(StudentizedRange, QuantileInvertsTheUpperTail) {
    struct Case {
        double upper;
        int k;
        double df;
    };
    for (const Case& c : {Case{0.05, 4, 1.5}, Case{0.001, 7, 33}, Case{0.5, 10, 3000}, Case{1e-6, 3, 12}}) {
        const auto q = StudentizedRangeQuantile(c.upper, c.k, c.df);
        ASSERT_TRUE(q);
        EXPECT_TRUE(Near(*StudentizedRangeUpper(*q, c.k, c.df), c.upper, 1e-9)) << c.upper << " " << c.k;
    }
}

TEST(StudentizedRange, EdgesAndRefusals) {
    EXPECT_EQ(StudentizedRangeUpper(0, 3, 10), 1.0);
    EXPECT_EQ(StudentizedRangeUpper(-1, 3, 10), 1.0);
    EXPECT_EQ(StudentizedRangeUpper(std::numeric_limits<double>::infinity(), 3, 10), 0.0);
    EXPECT_FALSE(StudentizedRangeUpper(2, 1, 10));
    EXPECT_FALSE(StudentizedRangeUpper(2, 3, 0));
    EXPECT_FALSE(StudentizedRangeUpper(std::nan(""), 3, 10));
    EXPECT_FALSE(StudentizedRangeQuantile(0, 3, 10));
    EXPECT_FALSE(StudentizedRangeQuantile(1, 3, 10));
    EXPECT_FALSE(StudentizedRangeQuantile(0.05, 3, -2));
}

}  // namespace
}  // namespace tavelmark::numeric
