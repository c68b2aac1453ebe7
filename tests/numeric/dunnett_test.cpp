// Dunnett's many-to-one distribution against R's adaptive quadrature of the
// same integral (data/dunnett.R -> .csv), the PlantGrowth critical value, and
// what must hold whatever the design: one treatment is the t test, and a
// Dunnett P lies between the largest single P and the Bonferroni bound.
#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include <boost/math/distributions/students_t.hpp>
#include <gtest/gtest.h>

#include "numeric/dunnett.h"
#include "support/reference_table.h"
#include "support/tolerance.h"

namespace tavelmark::numeric {
namespace {

using test::Near;

std::vector<double> DunnettLambdasOf(const test::ReferenceRow& row) {
    std::vector<double> lambdas;
    std::istringstream sizes(row.text("n"));
    for (double n; sizes >> n;) lambdas.push_back(DunnettLambda(n, row.number("n0")));
    return lambdas;
}

double DunnettDfOf(const test::ReferenceRow& row) {
    return row.isInf("df") ? std::numeric_limits<double>::infinity() : row.number("df");
}

TEST(Dunnett, UpperTailAndCriticalValuesMatchTheAdaptiveIntegral) {
    for (const auto& row : test::ReadReferenceTable(std::string(WSF_REFERENCE_DATA) + "/dunnett.csv")) {
        const std::vector<double> lambdas = DunnettLambdasOf(row);
        if (row.text("case").starts_with("critical_")) {
            const auto c = DunnettCritical(row.number("upper"), lambdas, DunnettDfOf(row));
            ASSERT_TRUE(c) << row.text("case");
            EXPECT_TRUE(Near(*c, row.number("c"), 1e-9)) << row.text("case");
        } else {
            const auto p = DunnettUpper(row.number("c"), lambdas, DunnettDfOf(row));
            ASSERT_TRUE(p) << row.text("case");
            EXPECT_TRUE(Near(*p, row.number("upper"), 1e-9)) << row.text("case");
        }
    }
}

TEST(Dunnett, PlantGrowthCriticalValue) {
    const std::vector<double> lambdas(2, DunnettLambda(10, 10));
    EXPECT_TRUE(test::SameTo(*DunnettCritical(0.05, lambdas, 27), 2.3334115, 7));
}

TEST(Dunnett, OneTreatmentIsTheTwoSidedTTest) {
    for (double df : {3.0, 12.0, 150.0}) {
        const boost::math::students_t_distribution<double> t(df);
        for (double c : {0.4, 2.1, 5.5}) {
            const std::vector<double> lambda{DunnettLambda(7, 4)};
            EXPECT_TRUE(Near(*DunnettUpper(c, lambda, df), 2 * cdf(complement(t, c)), 1e-10)) << df << " " << c;
        }
    }
}

TEST(Dunnett, LiesBetweenTheLargestSinglePAndTheBonferroniBound) {
    struct Case {
        double c, df, n0;
        std::vector<double> n;
    };
    const std::vector<Case> cases = {{2.0, 20, 6, {6, 6, 6, 6}},  {3.1, 45, 10, {4, 12, 9}},
                                     {1.2, 8, 3, {3, 3}},         {4.5, 100, 2, {50, 50, 50, 50, 50}}};
    for (const Case& k : cases) {
        std::vector<double> lambdas;
        for (double n : k.n) lambdas.push_back(DunnettLambda(n, k.n0));
        const double single = 2 * cdf(complement(boost::math::students_t_distribution<double>(k.df), k.c));
        const double p = *DunnettUpper(k.c, lambdas, k.df);
        EXPECT_GT(p, single) << k.c;
        EXPECT_LT(p, std::min(1.0, single * static_cast<double>(lambdas.size()))) << k.c;
    }
}

TEST(Dunnett, Refusals) {
    const std::vector<double> good{0.7, 0.7}, none, bad{0.7, 1.0};
    EXPECT_FALSE(DunnettUpper(2, none, 10));
    EXPECT_FALSE(DunnettUpper(2, bad, 10));
    EXPECT_FALSE(DunnettUpper(2, good, 0));
    EXPECT_FALSE(DunnettUpper(std::nan(""), good, 10));
    EXPECT_EQ(DunnettUpper(0, good, 10), 1.0);
    EXPECT_FALSE(DunnettCritical(0, good, 10));
    EXPECT_FALSE(DunnettCritical(0.05, good, -1));
}

}  // namespace
}  // namespace tavelmark::numeric
