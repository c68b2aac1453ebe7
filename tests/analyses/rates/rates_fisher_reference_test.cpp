// Fisher's probabilities against an independent computation with R's dhyper
// (data/fisher_reference.R, which wrote data/fisher_reference.csv): every
// table of up to 8 subjects, edge tables and random tables up to N = 200.
#include <gtest/gtest.h>

#include <string>

#include "analyses/rates/fisher_exact.h"
#include "support/reference_table.h"
#include "support/tolerance.h"

namespace tavelmark::rates {
namespace {

using test::Near;

TEST(FisherReference, AgreesWithHypergeometricSumsFromR) {
    int tables = 0, largest = 0;
    for (const test::ReferenceRow& row :
         test::ReadReferenceTable(std::string(RATES_TEST_DATA) + "/fisher_reference.csv")) {
        const double a = row.number("a"), b = row.number("b"), c = row.number("c"),
                     d = row.number("d");
        const double one = row.number("one_sided"), opposite = row.number("opposite_side"),
                     two = row.number("two_sided");
        const std::string line = row.text("a") + "," + row.text("b") + "," + row.text("c") + "," +
                                 row.text("d");
        const FisherProbabilities f = ComputeFisherProbabilities(MakeRateTable(a, b, c, d));
        ASSERT_TRUE(f.oneSided && f.oppositeSide && f.twoSided) << line;
        // Probabilities assembled from logarithm sums: about 12 digits to trust.
        EXPECT_TRUE(Near(*f.oneSided, one, 1e-9, 1e-300)) << line;
        EXPECT_TRUE(Near(*f.oppositeSide, opposite, 1e-9, 1e-300)) << line;
        EXPECT_TRUE(Near(*f.twoSided, two, 1e-9, 1e-300)) << line;
        ++tables;
        largest = std::max(largest, static_cast<int>(a + b + c + d));
    }
    EXPECT_GT(tables, 800);
    EXPECT_EQ(largest, 200);
}

}  // namespace
}  // namespace tavelmark::rates
