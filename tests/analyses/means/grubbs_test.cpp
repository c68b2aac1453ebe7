// Grubbs' printed critical values and their notices (which values get
// flagged: tests/numeric/grubbs_test.cpp).
#include <cmath>
#include <map>
#include <optional>
#include <string>

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

}  // namespace
}  // namespace tavelmark::means
