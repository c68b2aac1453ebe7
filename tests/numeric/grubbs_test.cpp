// Grubbs' statistic: which values reach a critical distance, and the exact
// points and P values from the t distribution (data/grubbs.R -> .csv).
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "numeric/grubbs.h"
#include "support/reference_table.h"
#include "support/tolerance.h"

namespace tavelmark::numeric {
namespace {

TEST(GrubbsFlagged, UsesTheWholeGroupsMeanAndSd) {
    // The two-group example's R group: 59 lies (59 − 36.8)/9.19 = 2.416 SD out, above 2.41.
    const std::vector<double> r = {32, 33, 41, 28, 32, 37, 33, 59, 25, 33, 38, 28, 46, 51, 36};
    const double mean = 36.8, sd = 9.1900567385159739;  // R: mean(), sd()
    EXPECT_EQ(GrubbsFlagged(r, mean, sd, 2.41), std::vector<int>{7});
    // A value exactly at the critical distance counts (≥): mean 0, SD 1, x = 2.
    EXPECT_EQ(GrubbsFlagged(std::vector<double>{2, 0, -1}, 0.0, 1.0, 2.0), std::vector<int>{0});
    // Two flagged values are reported in row order.
    EXPECT_EQ(GrubbsFlagged(std::vector<double>{5, 0, -5}, 0.0, 1.0, 2.0), (std::vector<int>{0, 2}));
}

TEST(GrubbsFlagged, ConstantOrUndescribedGroupsFlagNothing) {
    const std::vector<double> same = {4, 4, 4, 4};
    EXPECT_TRUE(GrubbsFlagged(same, 4.0, 0.0, 1.46).empty());
    EXPECT_TRUE(GrubbsFlagged(same, std::nullopt, std::nullopt, 1.46).empty());
}

TEST(GrubbsExact, PointsAndPValuesMatchR) {
    for (const auto& row : test::ReadReferenceTable(std::string(WSF_REFERENCE_DATA) + "/grubbs.csv")) {
        const int n = static_cast<int>(row.number("n"));
        const bool twoSided = row.number("sides") == 2;
        const auto value = row.text("kind") == "point"
                               ? GrubbsCriticalPoint(n, row.number("alpha_or_g"), twoSided)
                               : GrubbsPValue(row.number("alpha_or_g"), n, twoSided);
        ASSERT_TRUE(value) << row.text("kind") << " n " << n;
        EXPECT_TRUE(test::Near(*value, row.number("value"), 1e-12)) << row.text("kind") << " n " << n;
    }
}

TEST(GrubbsExact, PointAndPValueAgreeAndEdges) {
    for (int n : {3, 8, 40, 300}) {
        const auto g = GrubbsCriticalPoint(n, 0.05, true);
        EXPECT_TRUE(test::Near(*GrubbsPValue(*g, n, true), 0.05, 1e-12)) << n;
    }
    // Three values 1, 2, 3 are as spread as three can be: G = 1 at n = 3 is
    // (n − 1)/√n only for 0, 0, x; there P = 0.
    EXPECT_EQ(GrubbsPValue(2 / std::sqrt(3.0), 3, true), 0.0);
    EXPECT_FALSE(GrubbsPValue(1.0, 2, true));
    EXPECT_FALSE(GrubbsCriticalPoint(2, 0.05, true));
    EXPECT_FALSE(GrubbsCriticalPoint(10, 0, true));
}

}  // namespace
}  // namespace tavelmark::numeric
