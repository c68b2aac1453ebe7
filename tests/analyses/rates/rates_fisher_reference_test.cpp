// Fisher's probabilities against an independent computation with R's dhyper
// (data/fisher_reference.R, which wrote data/fisher_reference.csv): every
// table of up to 8 subjects, edge tables and random tables up to N = 200.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "analyses/rates/fisher_exact.h"
#include "support/tolerance.h"

namespace tavelmark::rates {
namespace {

using test::Near;

TEST(FisherReference, AgreesWithHypergeometricSumsFromR) {
    std::ifstream file(std::string(RATES_TEST_DATA) + "/fisher_reference.csv");
    ASSERT_TRUE(file) << "fisher_reference.csv missing";
    std::string line;
    std::getline(file, line);  // header
    int tables = 0, largest = 0;
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        double a, b, c, d, one, opposite, two;
        char comma;
        fields >> a >> comma >> b >> comma >> c >> comma >> d >> comma >> one >> comma >>
            opposite >> comma >> two;
        ASSERT_TRUE(fields) << line;
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
