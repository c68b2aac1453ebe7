// The continuity-corrected statistics and the rate limits against R
// (data/rates_reference.R, which wrote data/rates_reference.csv): chisq.test
// for Yates' chi-square, prop.test for U' and for each group's limits.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "analyses/rates/chi_square.h"
#include "analyses/rates/pooled_tests.h"
#include "analyses/rates/rate_estimates.h"
#include "numeric/worksheet_functions.h"
#include "support/reference_table.h"
#include "support/tolerance.h"

namespace tavelmark::rates {
namespace {

using test::Near;

// One line of the file; R's NA and NaN (nothing to compute) become empty.
struct RatesReferenceRow {
    std::string line;
    double a = 0, b = 0, c = 0, d = 0;
    std::optional<double> yates, yatesP, uPrime, uPrimeP, lowerR, upperR, lowerT, upperT;
    std::optional<double> g, gP;
};

std::vector<RatesReferenceRow> LoadRows() {
    std::vector<RatesReferenceRow> rows;
    for (const test::ReferenceRow& row :
         test::ReadReferenceTable(std::string(RATES_TEST_DATA) + "/rates_reference.csv")) {
        auto field = [&row](const char* column) -> std::optional<double> {
            if (row.isNA(column)) return std::nullopt;
            return row.number(column);
        };
        RatesReferenceRow r;
        r.line = row.text("a") + "," + row.text("b") + "," + row.text("c") + "," + row.text("d");
        r.a = row.number("a");
        r.b = row.number("b");
        r.c = row.number("c");
        r.d = row.number("d");
        r.yates = field("yates");
        r.yatesP = field("yates_p");
        r.uPrime = field("u_prime");
        r.uPrimeP = field("u_prime_p");
        r.lowerR = field("lower_r");
        r.upperR = field("upper_r");
        r.lowerT = field("lower_t");
        r.upperT = field("upper_t");
        r.g = field("g");
        r.gP = field("g_p");
        rows.push_back(r);
    }
    return rows;
}

::testing::AssertionResult Agrees(std::optional<double> mine, std::optional<double> r, double absolute) {
    if (!r) {
        if (!mine) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "R has nothing, the program " << *mine;
    }
    if (!mine) return ::testing::AssertionFailure() << "empty, R has " << *r;
    return Near(*mine, *r, 1e-9, absolute);
}

// A limit of exactly 0 or 1 in R is the boundary convention and must be
// exact; the others differ by R's z = qnorm(0.975) against 1.96.
::testing::AssertionResult LimitAgrees(std::optional<double> mine, std::optional<double> r) {
    if (r && (*r == 0 || *r == 1)) {
        if (mine == r) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "boundary limit " << *r << " shown as "
                                             << (mine ? std::to_string(*mine) : "nothing");
    }
    return Agrees(mine, r, 5e-5);
}

TEST(RatesReference, ClippedCorrectionsAndBoundaryLimitsAgreeWithR) {
    const std::vector<RatesReferenceRow> rows = LoadRows();
    ASSERT_GE(rows.size(), 10u) << "rates_reference.csv missing or short";
    for (const RatesReferenceRow& r : rows) {
        SCOPED_TRACE(r.line);
        const RateTable table = MakeRateTable(r.a, r.b, r.c, r.d);

        const ChiSquares chi = ComputeChiSquares(table);
        EXPECT_TRUE(Agrees(chi.yates, r.yates, 1e-12)) << "Yates";
        const auto yatesP = chi.yates ? numeric::wsf::Chidist(*chi.yates, 1) : std::nullopt;
        EXPECT_TRUE(Agrees(yatesP, r.yatesP, 1e-12)) << "Yates P";

        EXPECT_TRUE(Agrees(chi.likelihoodRatio, r.g, 1e-12)) << "G";
        const auto gP = chi.likelihoodRatio ? numeric::wsf::Chidist(*chi.likelihoodRatio, 1)
                                            : std::nullopt;
        EXPECT_TRUE(Agrees(gP, r.gP, 1e-12)) << "G P";

        const PooledTests pooled = ComputePooledTests(table);
        EXPECT_TRUE(Agrees(pooled.uPrime, r.uPrime, 1e-12)) << "U'";
        EXPECT_TRUE(Agrees(UPrimeTestP(pooled), r.uPrimeP, 1e-12)) << "U' P";

        const RateEstimates e = ComputeRateEstimates(table);
        if (r.lowerR) {
            ASSERT_TRUE(e.limitsR);
            EXPECT_TRUE(LimitAgrees(e.limitsR->lower, r.lowerR)) << "R lower";
            EXPECT_TRUE(LimitAgrees(e.limitsR->upper, r.upperR)) << "R upper";
        }
        if (r.lowerT) {
            ASSERT_TRUE(e.limitsT);
            EXPECT_TRUE(LimitAgrees(e.limitsT->lower, r.lowerT)) << "T lower";
            EXPECT_TRUE(LimitAgrees(e.limitsT->upper, r.upperT)) << "T upper";
        }
    }
}

}  // namespace
}  // namespace tavelmark::rates
