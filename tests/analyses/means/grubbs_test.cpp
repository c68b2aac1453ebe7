// Grubbs' critical values, their notices and which values get flagged.
#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analyses/means/grubbs.h"
#include "support/reference_table.h"
#include "support/tolerance.h"

namespace tavelmark::means {

using report::MessageIcon, report::RecordingPrompter;

namespace {

TEST(GrubbsCritical, TabledAndInterpolatedValues) {
    struct Case {
        int n;
        std::optional<double> expected;  // the table of the manual, or interpolated by hand
    };
    const Case cases[] = {
        {3, 1.15},    {10, 2.18},   {15, 2.41},  {25, 2.66},
        {26, 2.678},  // 2.66 + 1·(2.75 − 2.66)/5
        {27, 2.696},  // 2.66 + 2·(2.75 − 2.66)/5
        {30, 2.75},   {90, 3.175},  // 3.14 + 10·(3.21 − 3.14)/20
        {100, 3.21},  {2, std::nullopt}, {101, std::nullopt}, {0, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto g = GrubbsCriticalValue(c.n);
        ASSERT_EQ(g.has_value(), c.expected.has_value()) << c.n;
        if (g) {
            EXPECT_TRUE(test::Near(*g, *c.expected, 1e-12)) << c.n;
        }
    }
}

// Every tabled value against the exact point from the t distribution
// (data/grubbs_points.R): equal to its two printed decimals, except the two
// three entries known to read 0.01 high.
TEST(GrubbsCritical, TableAgreesWithTheExactPoints) {
    std::map<int, double> exact;
    for (const test::ReferenceRow& row : test::ReadReferenceTable(TAVELMARK_TEST_DATA "/grubbs_points.csv"))
        exact[static_cast<int>(row.number("n"))] = row.number("g");
    ASSERT_EQ(exact.size(), kGrubbsTable.size());
    for (const auto& entry : kGrubbsTable) {
        ASSERT_TRUE(exact.count(entry.n)) << entry.n;
        const double within = entry.n == 12 || entry.n == 35 || entry.n == 80 ? 0.0085 : 0.005;
        EXPECT_NEAR(entry.critical, exact[entry.n], within) << "n = " << entry.n;
    }
}

TEST(GrubbsCritical, GroupsOutsideTheTableAreNotTestedAndSaySoOnce) {
    struct Case {
        int n;
        const char* notice;
    };
    for (const Case& c : {Case{2, kGrubbsTooFew}, Case{101, kGrubbsTooMany}, Case{300, kGrubbsTooMany}}) {
        RecordingPrompter prompter;
        EXPECT_FALSE(GrubbsCritical(c.n, prompter));
        const auto dialogs = prompter.dialogs();
        ASSERT_EQ(dialogs.size(), 1u) << c.n;
        EXPECT_EQ(dialogs[0].text, c.notice);
        EXPECT_EQ(dialogs[0].icon, MessageIcon::None);
    }
    RecordingPrompter quiet;
    EXPECT_TRUE(GrubbsCritical(50, quiet));
    EXPECT_TRUE(quiet.dialogs().empty());
}

TEST(GrubbsFlagged, UsesTheWholeGroupsMeanAndSd) {
    // The shipped R group: 59 lies (59 − 36.8)/9.19 = 2.416 SD out, above 2.41.
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

}  // namespace
}  // namespace tavelmark::means
