// Shapiro–Wilk W and P against R's shapiro.test (data/shapiro_wilk.R ->
// .csv) across the three regimes of the P value (n = 3, 4–11, 12 on), with
// ties, a large offset and the samples of the several-groups example.
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "numeric/shapiro_wilk.h"
#include "support/reference_table.h"
#include "support/tolerance.h"

namespace tavelmark::numeric {
namespace {

TEST(ShapiroWilk, MatchesR) {
    const auto rows = test::ReadReferenceTable(std::string(WSF_REFERENCE_DATA) + "/shapiro_wilk.csv");
    ASSERT_GE(rows.size(), 10u);
    for (const auto& row : rows) {
        std::vector<double> x;
        std::istringstream values(row.text("values"));
        for (double v; values >> v;) x.push_back(v);
        const auto test = ShapiroWilkTest(x);
        ASSERT_TRUE(test) << row.text("case");
        // W to 1e-9 relative; the offset sample loses the digits of 1e6 in its
        // deviations, in R as here.
        EXPECT_TRUE(test::Near(test->w, row.number("w"), 1e-9)) << row.text("case");
        EXPECT_TRUE(test::Near(test->p, row.number("p"), 1e-7, 1e-14)) << row.text("case");
    }
}

TEST(ShapiroWilk, RefusesWhatHasNoW) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(ShapiroWilkTest(std::vector<double>{1, 2}));
    EXPECT_FALSE(ShapiroWilkTest(std::vector<double>{3, 3, 3, 3}));
    EXPECT_FALSE(ShapiroWilkTest(std::vector<double>{1, 2, inf}));
    EXPECT_FALSE(ShapiroWilkTest(std::vector<double>(5001, 1.0)));
    // Order does not matter.
    const auto a = ShapiroWilkTest(std::vector<double>{4, 1, 3, 9, 2});
    const auto b = ShapiroWilkTest(std::vector<double>{1, 2, 3, 4, 9});
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->w, b->w);
}

}  // namespace
}  // namespace tavelmark::numeric
