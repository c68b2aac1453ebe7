// Limits of the noncentrality of an observed F against R's pf(ncp =) solved
// by uniroot (data/noncentral_f_limits.R -> .csv); a limit is 0 where even
// a central F leaves the observed one too small.
#include <string>

#include <gtest/gtest.h>

#include "numeric/noncentral_f_limits.h"
#include "support/reference_table.h"
#include "support/tolerance.h"

namespace tavelmark::numeric {
namespace {

TEST(NoncentralFLimits, MatchR) {
    for (const auto& row : test::ReadReferenceTable(std::string(WSF_REFERENCE_DATA) + "/noncentral_f_limits.csv")) {
        const auto limits =
            FNoncentralityLimits(row.number("f"), row.number("df1"), row.number("df2"), row.number("level"));
        ASSERT_TRUE(limits) << row.text("f");
        EXPECT_TRUE(test::Near(limits->lower, row.number("lower"), 1e-10, 1e-12)) << row.text("f");
        EXPECT_TRUE(test::Near(limits->upper, row.number("upper"), 1e-10, 1e-12)) << row.text("f");
    }
}

TEST(NoncentralFLimits, Refusals) {
    EXPECT_FALSE(FNoncentralityLimits(-1, 2, 10, 0.95));
    EXPECT_FALSE(FNoncentralityLimits(2, 0, 10, 0.95));
    EXPECT_FALSE(FNoncentralityLimits(2, 2, 10, 1));
    const auto zero = FNoncentralityLimits(0, 2, 10, 0.95);
    ASSERT_TRUE(zero);
    EXPECT_EQ(zero->lower, 0);
    EXPECT_EQ(zero->upper, 0);
}

}  // namespace
}  // namespace tavelmark::numeric
