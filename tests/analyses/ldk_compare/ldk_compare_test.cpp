#include <gtest/gtest.h>

#include "analyses/ldk_compare/ldk_compare.h"
#include "support/tolerance.h"

namespace tavelmark::ldk_compare {

using model::AsNumber, model::BorderWeight, model::Cell, model::CellRef, model::GridSheet,
    model::HAlign, model::InputGrid, model::IsEmpty, model::PlainText, model::Range,
    model::RangeRef, model::Sheet;
using report::HelpBox, report::MessageIcon, report::RecordingPrompter, report::ReportOutcome;

namespace {

using test::SameTo;

struct LDkFixture : ::testing::Test {
    InputGrid grid;
    RecordingPrompter prompter;
    void SetUp() override {
        LoadLDkCompareWorkbook(grid);
        WriteLDkCompareTemplate(grid);
    }
    ReportOutcome run() { return RunLDkCompare(grid, prompter, {TAVELMARK_RESOURCES}); }
    static std::string text(const ReportOutcome& o, const char* cell) {
        return PlainText(o.workbook->activeSheet().value(cell));
    }
};

TEST_F(LDkFixture, TemplateHoldsHeadingsLabelsFormatsAndExample) {
    const GridSheet& sheet = grid.activeSheet();
    EXPECT_EQ(sheet.viewableRange(), Range("A1:C11"));
    EXPECT_EQ(std::get<std::string>(sheet.value("B1")), "LD50");
    EXPECT_EQ(std::get<std::string>(sheet.value("C1")), "L95");
    EXPECT_EQ(std::get<std::string>(sheet.value("A2")), "第1批");
    EXPECT_EQ(std::get<std::string>(sheet.value("A11")), "第10批");
    EXPECT_EQ(AsNumber(sheet.value("B4")), 18.0);
    EXPECT_EQ(AsNumber(sheet.value("C2")), 2.9);
    EXPECT_TRUE(IsEmpty(sheet.value("B5")));
    EXPECT_EQ(sheet.format(Cell("B7")).numberFormat, "#####0.0000");
    EXPECT_EQ(sheet.format(Cell("C11")).boxColourIndex, 5);
    EXPECT_EQ(sheet.format(Cell("A2")).boxColourIndex, 0);
    EXPECT_EQ(sheet.format(Cell("A1")).fontSize, 10);
    EXPECT_EQ(sheet.format(Cell("B2")).horizontal, HAlign::Center);
    EXPECT_EQ(sheet.columnWidth(1), 7);
    EXPECT_EQ(grid.selection(), Range("A1"));
}

TEST(LDkPairTest, ExampleBatches) {
    // Worked example of the manual: 14 ± 2.9, 20 ± 5, 18 ± 3.2.
    const LDkBatch b1 = MakeLDkBatch(14, 2.9), b2 = MakeLDkBatch(20, 5), b3 = MakeLDkBatch(18, 3.2);
    EXPECT_TRUE(SameTo(b1.x, 1.146128, 6));
    EXPECT_TRUE(SameTo(b2.x, 1.301030, 6));
    EXPECT_TRUE(SameTo(b3.x, 1.255273, 6));
    EXPECT_TRUE(SameTo(b1.s, 0.046032, 6));
    EXPECT_TRUE(SameTo(b2.s, 0.055556, 6));
    EXPECT_TRUE(SameTo(b3.s, 0.039506, 6));
    struct Case {
        LDkBatch a, b;
        double t, p;
        const char* mark;
    };
    const Case cases[] = {
        {b1, b2, 2.1470, 0.031817, " +"},
        {b1, b3, 1.7993, 0.072005, " -"},
        {b2, b3, 0.6712, 0.502092, " -"},
        {b1, b1, 0.0, 1.0, " -"},  // identical batches
        // Identical batches whose standard error L95 / (4.5 LD50) underflows to 0.
        {MakeLDkBatch(1e308, 1e-320), MakeLDkBatch(1e308, 1e-320), 0.0, 1.0, " -"},
    };
    for (const auto& c : cases) {
        const LDkPairTest test = CompareLDkPair(c.a, c.b);
        EXPECT_TRUE(SameTo(test.t, c.t, 4));
        ASSERT_TRUE(test.p);
        EXPECT_TRUE(SameTo(*test.p, c.p, 6));
        EXPECT_EQ(test.mark, c.mark);
    }
}

TEST(LDkPairTest, MarksAtTheBoundaries) {
    EXPECT_EQ(SignificanceMark(0.01), " *");
    EXPECT_EQ(SignificanceMark(0.0100001), " +");
    EXPECT_EQ(SignificanceMark(0.05), " +");
    EXPECT_EQ(SignificanceMark(0.0500001), " -");
}

TEST_F(LDkFixture, ExampleReport) {
    const ReportOutcome o = run();
    ASSERT_FALSE(o.refused);
    ASSERT_TRUE(o.workbook);
    EXPECT_EQ(text(o, "A2"), "LDk两两对比计算结果");
    EXPECT_EQ(text(o, "B6"), "0.031817 +");
    EXPECT_EQ(text(o, "B18"), "2.1470 +");
    EXPECT_EQ(text(o, "C6"), "0.072005 -");
    EXPECT_EQ(text(o, "C18"), "1.7993 -");
    EXPECT_EQ(text(o, "C7"), "0.502092 -");
    EXPECT_EQ(text(o, "C19"), "0.6712 -");
    // Only pairs of entered batches, above the diagonal.
    for (const char* empty : {"B7", "D6", "B8", "D18", "J14"}) EXPECT_EQ(text(o, empty), "") << empty;
    // Labels for ten batches whatever was entered.
    EXPECT_EQ(text(o, "J5"), "第10批");
    EXPECT_EQ(text(o, "A14"), "第9批");
    EXPECT_EQ(text(o, "B17"), "第2批");
    EXPECT_EQ(text(o, "A26"), "第9批");
    const Sheet& s = o.workbook->activeSheet();
    EXPECT_EQ(s.format(Cell("J4")).bottomBorder, BorderWeight::Medium);
    EXPECT_EQ(s.format(Cell("J5")).bottomBorder, BorderWeight::Thin);
    EXPECT_EQ(s.format(Cell("A14")).bottomBorder, BorderWeight::Medium);
    EXPECT_EQ(s.format(Cell("A26")).bottomBorder, BorderWeight::Medium);
    EXPECT_EQ(s.format(Cell("K4")).bottomBorder, BorderWeight::None);
    EXPECT_EQ(s.columnWidth(1), 4.5);
    EXPECT_EQ(s.columnWidth(2), 8.5);
    EXPECT_EQ(prompter.statusText(), "就绪");
    EXPECT_TRUE(prompter.dialogs().empty());
}

TEST_F(LDkFixture, VeryDifferentBatchesShowAZeroPWithTheHighMark) {
    grid.setValue("B3", 2000.0);
    grid.setValue("C3", 5.0);
    const ReportOutcome o = run();
    EXPECT_EQ(text(o, "B6"), "0.000000 *");
}

TEST_F(LDkFixture, OneBatchGivesTheFrameWithoutValues) {
    grid.activeSheet().clearContents(Range("B3:C11"));
    const ReportOutcome o = run();
    ASSERT_FALSE(o.refused);
    EXPECT_EQ(text(o, "B6"), "");
    EXPECT_EQ(text(o, "B5"), "第2批");
}

TEST_F(LDkFixture, RefusalsNameTheFirstBadCellAndStillCloseTheReport) {
    struct Case {
        const char* name;
        std::function<void(InputGrid&)> edit;
        const char* title;
        const char* text;
        std::optional<RangeRef> selected;
    };
    const char* typeTitle = "数据类型错误或超出范围";
    const char* typeText = "录入的数据类型错误或超出范围";
    const Case cases[] = {
        {"text in the middle", [](InputGrid& g) { g.setValue("B3", std::string("x")); }, typeTitle, typeText,
         Range("B3")},
        {"empty LD50 in the middle", [](InputGrid& g) { g.setValue("B3", std::monostate{}); }, typeTitle,
         typeText, Range("B3")},
        {"zero L95", [](InputGrid& g) { g.setValue("C2", 0.0); }, typeTitle, typeText, Range("C2")},
        {"negative LD50 before a bad L95 of the same row",
         [](InputGrid& g) {
             g.setValue("B4", -1.0);
             g.setValue("C4", std::string("a"));
         },
         typeTitle, typeText, Range("B4")},
        {"column B longer than C", [](InputGrid& g) { g.setValue("B5", 7.0); }, "数据量不等错误！",
         "LD50与L95的数据量应相等", std::nullopt},
        {"nothing entered", [](InputGrid& g) { g.activeSheet().clearContents(Range("B2:C11")); },
         "数据量不足错误！", "请至少录入一批LD50与L95数据", Range("B2")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        prompter = RecordingPrompter{};
        c.edit(grid);
        const ReportOutcome o = run();
        EXPECT_TRUE(o.refused);
        ASSERT_TRUE(o.workbook);  // the empty report is still shown
        EXPECT_EQ(o.workbook->activeSheet().usedExtent(), (CellRef{1, 1}));
        const auto dialogs = prompter.dialogs();
        ASSERT_EQ(dialogs.size(), 1u);
        EXPECT_EQ(dialogs[0].title, c.title);
        EXPECT_EQ(dialogs[0].text, c.text);
        EXPECT_EQ(dialogs[0].icon, MessageIcon::Critical);
        if (c.selected) {
            EXPECT_EQ(grid.selection(), *c.selected);
        }
        EXPECT_EQ(prompter.statusText(), "就绪");
    }
}

TEST(LDkHelp, TitleAndShape) {
    const HelpBox help = LDkCompareHelpBox();
    EXPECT_EQ(help.title, "LDk两两对比在线帮助");
    EXPECT_EQ(help.text.rfind("【举例说明】\r", 0), 0u);
    EXPECT_NE(help.text.back(), '\r');
    EXPECT_EQ(help.text.find('\n'), std::string::npos);
    EXPECT_NE(help.text.find("\r\r【用法说明】\r"), std::string::npos);
    EXPECT_NE(help.text.find("P216"), std::string::npos);
}

}  // namespace
}  // namespace tavelmark::ldk_compare
