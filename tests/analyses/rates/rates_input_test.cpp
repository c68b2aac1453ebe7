// The calculate command's input checks: which message, in which order, and
// what the window is left with.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "analyses/rates/rate_table.h"
#include "analyses/rates/rates_window.h"
#include "analyses/rates/run_rates.h"

namespace tavelmark::rates {

using model::CellValue, model::InputGrid, model::IsNumber, model::Range;
using report::MessageIcon, report::RecordingPrompter, report::ReportOutcome;

namespace {

struct RatesInput : ::testing::Test {
    InputGrid grid;
    RecordingPrompter prompter;
    void SetUp() override { WriteRatesTemplate(grid); }
    ReportOutcome run() { return RunRates(grid, RatesOptions{}, prompter, {TAVELMARK_RESOURCES}); }
};

TEST_F(RatesInput, TheExampleIsAcceptedWithoutAMessage) {
    const ReportOutcome outcome = run();
    EXPECT_FALSE(outcome.refused);
    ASSERT_TRUE(outcome.workbook);
    EXPECT_TRUE(prompter.dialogs().empty());
    EXPECT_EQ(prompter.statusText(), "就绪");
}

TEST_F(RatesInput, BadCountsAreRefusedWithTheFirstMessageThatApplies) {
    const CellValue nothing{};
    const CellValue text{std::string("十二")};
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* what;
        std::vector<std::pair<const char*, CellValue>> cells;
        const char* message;
    };
    const Case cases[] = {
        {"fraction", {{"C2", 2.5}}, "数据录入区发现小数，请更正"},
        {"negative fraction floors below 0", {{"B3", -0.5}}, "数据录入区发现负数,请更正"},
        {"negative whole number", {{"C3", -1.0}}, "数据录入区发现负数,请更正"},
        {"empty cell", {{"C3", nothing}}, "数据录入区的数据只能为频数"},
        {"text", {{"B2", text}}, "数据录入区的数据只能为频数"},
        {"negative before text", {{"B2", text}, {"C3", -3.0}}, "数据录入区发现负数,请更正"},
        {"negative before fraction", {{"B2", 1.5}, {"C2", -2.0}}, "数据录入区发现负数,请更正"},
        {"text before fraction", {{"B2", 1.5}, {"C3", nothing}}, "数据录入区的数据只能为频数"},
        {"infinite count", {{"B3", inf}}, "数据录入区的数据只能为频数"},
        {"minus infinity", {{"B3", -inf}}, "数据录入区发现负数,请更正"},
        {"not a number", {{"C2", std::nan("")}}, "数据录入区的数据只能为频数"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        InputGrid g;
        WriteRatesTemplate(g);
        g.select("A1");
        for (const auto& [cell, value] : c.cells) g.setValue(cell, value);
        RecordingPrompter p;
        const ReportOutcome outcome = RunRates(g, RatesOptions{}, p, {TAVELMARK_RESOURCES});

        EXPECT_TRUE(outcome.refused);
        EXPECT_FALSE(outcome.workbook);
        const auto dialogs = p.dialogs();
        ASSERT_EQ(dialogs.size(), 1u);
        EXPECT_EQ(dialogs[0].text, c.message);
        EXPECT_EQ(dialogs[0].title, "数据录入错误！");
        EXPECT_EQ(dialogs[0].icon, MessageIcon::Critical);
        EXPECT_EQ(g.selection(), Range("B2:C3"));
        EXPECT_EQ(p.statusText(), "就绪");
        // What the user typed stays in the grid.
        for (const auto& [cell, value] : c.cells) {
            if (IsNumber(value) && std::isnan(std::get<double>(value))) continue;
            EXPECT_EQ(g.value(cell), value) << cell;
        }
    }
}

TEST_F(RatesInput, RefusalGoesBusyMessageSelectionReadyAndOpensNothing) {
    grid.setValue("C2", 2.5);
    run();
    using Kind = RecordingPrompter::Kind;
    std::vector<Kind> kinds;
    for (const auto& e : prompter.events) kinds.push_back(e.kind);
    EXPECT_EQ(kinds, (std::vector<Kind>{Kind::Busy, Kind::Message, Kind::Selection, Kind::Ready}));
}

TEST_F(RatesInput, AGroupWithoutSubjectsIsRefusedAtItsFirstCell) {
    struct Case {
        std::array<double, 4> counts;
        const char* selected;
    };
    const Case cases[] = {
        {{0, 0, 0, 0}, "B2"},  // both groups empty: the first one is named
        {{0, 0, 4, 5}, "B2"},
        {{3, 4, 0, 0}, "B3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selected);
        InputGrid g;
        WriteRatesTemplate(g);
        const char* cells[] = {"B2", "C2", "B3", "C3"};
        for (int i = 0; i < 4; ++i) g.setValue(cells[i], c.counts[i]);
        RecordingPrompter p;
        const ReportOutcome outcome = RunRates(g, RatesOptions::All(), p, {TAVELMARK_RESOURCES});

        EXPECT_TRUE(outcome.refused);
        EXPECT_FALSE(outcome.workbook);
        const auto dialogs = p.dialogs();
        ASSERT_EQ(dialogs.size(), 1u);
        EXPECT_EQ(dialogs[0].text, "每组的例数(阳性数与阴性数之和)必须大于0");
        EXPECT_EQ(dialogs[0].title, "数据录入错误！");
        EXPECT_EQ(dialogs[0].icon, MessageIcon::Critical);
        EXPECT_EQ(g.selection(), Range(c.selected));
        EXPECT_EQ(p.statusText(), "就绪");
        for (int i = 0; i < 4; ++i) EXPECT_EQ(g.value(cells[i]), CellValue{c.counts[i]}) << cells[i];
    }
}

TEST_F(RatesInput, TablesWithoutPositivesOrWithoutNegativesPassTheChecks) {
    for (auto counts : {std::array{0.0, 7.0, 0.0, 5.0}, std::array{3.0, 0.0, 4.0, 0.0}}) {
        grid.setValue("B2", counts[0]);
        grid.setValue("C2", counts[1]);
        grid.setValue("B3", counts[2]);
        grid.setValue("C3", counts[3]);
        RecordingPrompter p;
        const ReportOutcome outcome = RunRates(grid, RatesOptions::All(), p, {});
        EXPECT_FALSE(outcome.refused);
        EXPECT_TRUE(outcome.workbook);
    }
}

TEST(RateTableRead, CountsAndTotals) {
    InputGrid grid;
    WriteRatesTemplate(grid);
    const RateTableCheck check = ReadRateTable(grid);
    ASSERT_TRUE(check.table);
    const RateTable& t = *check.table;
    EXPECT_EQ((std::array{t.a, t.b, t.c, t.d}), (std::array{12.0, 20.0, 19.0, 11.0}));
    EXPECT_EQ((std::array{t.n1, t.n2, t.m1, t.m2, t.N}), (std::array{32.0, 30.0, 31.0, 31.0, 62.0}));
    EXPECT_EQ(t.p1, 0.375);
    EXPECT_DOUBLE_EQ(*t.p2, 19.0 / 30.0);
}

TEST(RateTableRead, MoreThan32767NegativesAreStillCounted) {
    const RateTable t = MakeRateTable(5, 30000, 7, 30000);
    EXPECT_EQ(t.m2, 60000);
    EXPECT_EQ(t.N, 60012);
}

}  // namespace
}  // namespace tavelmark::rates
