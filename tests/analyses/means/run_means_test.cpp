// The calculate command on a grid: template, refusals, the outlier dialogue
// and the report's layout.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analyses/means/grubbs.h"
#include "analyses/means/means_captions.h"
#include "analyses/means/means_input.h"
#include "analyses/means/means_report.h"
#include "analyses/means/means_template.h"
#include "analyses/means/run_means.h"
#include "reference_data.h"
#include "report/status_text.h"
#include "support/tolerance.h"

namespace tavelmark::means {

using model::BorderWeight, model::Cell, model::CellName, model::CellRef, model::CellValue,
    model::GridSheet, model::HAlign, model::InputGrid, model::PlainText, model::Range,
    model::ReportValue, model::Sheet;
using report::MessageIcon, report::RecordingPrompter, report::ReportContext, report::ReportOutcome,
    report::kStatusReady;

namespace {

using Kind = RecordingPrompter::Kind;

class RunMeansTest : public ::testing::Test {
protected:
    RunMeansTest() { WriteMeansTemplate(grid); }

    ReportOutcome Run(const MeansOptions& options = {}) {
        return RunMeans(grid, options, prompter, ReportContext{});
    }
    GridSheet& data() { return grid.activeSheet(); }
    void FillColumn(int column, const std::vector<double>& values) {
        data().clearContents({{2, column}, {kMeansLastGridRow, column}});
        for (std::size_t i = 0; i < values.size(); ++i)
            data().setValue(CellRef{static_cast<int>(i) + 2, column}, values[i]);
    }
    std::vector<CellValue> Column(int column, int lastRow) {
        std::vector<CellValue> cells;
        for (int row = 2; row <= lastRow; ++row) cells.push_back(data().value(CellRef{row, column}));
        return cells;
    }
    static std::string Text(const Sheet& sheet, const char* a1) { return PlainText(sheet.value(a1)); }

    InputGrid grid;
    RecordingPrompter prompter;
};

TEST_F(RunMeansTest, TemplateHoldsTheExampleAndTheGrubbsTable) {
    EXPECT_EQ(data().name(), "Sheet1");
    EXPECT_EQ(data().value("A1"), CellValue(std::string("T组")));
    EXPECT_EQ(data().value("B1"), CellValue(std::string("R组")));
    const MeansGroupRows rows = FindMeansGroupRows(data());
    EXPECT_EQ(rows.n1(), 10);
    EXPECT_EQ(rows.n2(), 15);
    EXPECT_EQ(data().viewableRange(), Range("A1:B301"));
    EXPECT_EQ(data().format(Cell("B301")).boxColourIndex, 5);

    const GridSheet* table = grid.sheet("Table");
    ASSERT_TRUE(table);
    EXPECT_TRUE(table->hidden());
    EXPECT_EQ(table->value("AA1"), CellValue(std::string("n")));
    EXPECT_EQ(table->value("AA2"), CellValue(3.0));
    EXPECT_EQ(table->value("AB2"), CellValue(1.15));
    EXPECT_EQ(table->value("AA31"), CellValue(100.0));
    EXPECT_EQ(table->value("AB31"), CellValue(3.21));
    ASSERT_TRUE(grid.sheet("Temp"));  // found without regard to case
    EXPECT_TRUE(grid.sheet("temp")->hidden());
}

TEST_F(RunMeansTest, ShippedExampleWithEverySection) {
    // Critical values of the example's groups (n = 10 and 15).
    EXPECT_EQ(GrubbsCriticalValue(10), 2.18);
    EXPECT_EQ(GrubbsCriticalValue(15), 2.41);

    const ReportOutcome outcome = Run(MeansOptions::All());
    ASSERT_TRUE(outcome.workbook);
    EXPECT_FALSE(outcome.refused);
    EXPECT_EQ(prompter.statusText(), kStatusReady);

    // 59 in R is 2.416 SD out: asked about, kept (the recorder answers No).
    const auto dialogs = prompter.dialogs();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].kind, Kind::Question);
    EXPECT_EQ(dialogs[0].text, "R组中发现离群值59,是否删除");
    EXPECT_EQ(dialogs[0].title, "是否删除离群值?");
    EXPECT_EQ(dialogs[0].icon, MessageIcon::Question);
    EXPECT_EQ(grid.selection(), Range("B9"));
    EXPECT_EQ(data().value("B9"), CellValue(59.0));

    const Sheet& s = outcome.workbook->activeSheet();
    EXPECT_EQ(Text(s, "A2"), kMeansReportTitle);
    for (const auto& [row, caption] : std::vector<std::pair<int, std::string>>{
             {4, "计算结果"}, {17, "方法推荐"}, {21, "t和t'检验结果"}, {56, "统计描述"},
             {71, "例数估算"}, {78, "等效性检验"}, {86, "非参检验(W-M-W法)"},
             {91, "正态性检验"}, {96, "方差齐性检验"}})
        EXPECT_EQ(PlainText(s.value(CellRef{row, 1})), caption) << row;

    // Main table: unequal variances (F 5.13 ≥ 3.03) recommend t' (Satterthwaite);
    // P values from data/means_reference.txt.
    EXPECT_EQ(s.value("B8"), ReportValue(10.0));
    EXPECT_EQ(s.value("C8"), ReportValue(15.0));
    EXPECT_EQ(Text(s, "B9"), "t' = 0.1854");
    EXPECT_TRUE(test::Near(std::get<double>(s.value("B10")), 0.85481137568683907, 1e-9));
    EXPECT_TRUE(test::Near(std::get<double>(s.value("B11")), 0.42740568784341954, 1e-9));
    EXPECT_EQ(Text(s, "B12"), "差异无统计意义");
    EXPECT_EQ(Text(s, "B13"), "尚不足于下结论");
    EXPECT_TRUE(test::Near(std::get<double>(s.value("B14")), 0.42740568784341954, 1e-9));
    // Power of a two-sided 5% test with d/SE = 0.161: barely above 0.05
    // (data/means_reference.txt, power_welch).
    EXPECT_TRUE(test::Near(std::get<double>(s.value("B15")), 0.052974243404594029, 1e-9));
    EXPECT_EQ(Text(s, "A18"), "本例方差不齐");
    EXPECT_EQ(Text(s, "A19"), "推荐选用t'检验,非参检验可供参考");
    EXPECT_EQ(s.format(Cell("B12")).horizontal, HAlign::CenterAcrossSelection);

    // Sections: a few cells each.
    EXPECT_EQ(s.value("B25"), ReportValue(23.0));           // t test df
    EXPECT_EQ(Text(s, "B43"), "P>0.05");                     // Cochran–Cox, t' < T'0.05
    EXPECT_EQ(Text(s, "A73"), "70%");
    EXPECT_EQ(s.value("B73"), ReportValue(2859.0));          // R: floor(12.3441 r + 2) + 1
    EXPECT_EQ(Text(s, "C80"), "等效不合格");
    EXPECT_EQ(Text(s, "B93"), "符合正态");
    EXPECT_EQ(Text(s, "B99"), "方差不齐");
    EXPECT_EQ(s.format(Cell("A96")).bottomBorder, BorderWeight::Medium);
    EXPECT_EQ(s.format(Cell("C99")).bottomBorder, BorderWeight::Medium);

    // Raw-data block E5:F20, the last five R values alone in F16:F20.
    EXPECT_EQ(Text(s, "E4"), "原始数据");
    EXPECT_EQ(Text(s, "E5"), "T组");
    EXPECT_EQ(Text(s, "F5"), "R组");
    EXPECT_EQ(s.value("E6"), ReportValue(38.0));
    EXPECT_EQ(s.value("E15"), ReportValue(33.0));
    EXPECT_EQ(s.value("F20"), ReportValue(36.0));
    for (int row = 16; row <= 20; ++row) {
        EXPECT_EQ(s.value(CellRef{row, 5}), ReportValue{}) << row;
        EXPECT_FALSE(PlainText(s.value(CellRef{row, 6})).empty()) << row;
    }
    EXPECT_EQ(s.value("F21"), ReportValue{});
    EXPECT_EQ(s.format(Cell("F20")).bottomBorder, BorderWeight::Medium);
    EXPECT_EQ(s.format(Cell("E5")).bottomBorder, BorderWeight::Thin);
}

TEST_F(RunMeansTest, SectionsStackInOrderFromRow21) {
    struct Case {
        MeansOptions options;
        std::vector<std::pair<int, std::string>> captions;
    };
    MeansOptions varianceOnly;
    varianceOnly.variance = true;
    MeansOptions describeAndVariance;
    describeAndVariance.description = true;
    describeAndVariance.variance = true;
    const Case cases[] = {
        {varianceOnly, {{21, "方差齐性检验"}}},
        {describeAndVariance, {{21, "统计描述"}, {36, "方差齐性检验"}}},
    };
    for (const auto& c : cases) {
        const ReportOutcome outcome = Run(c.options);
        ASSERT_TRUE(outcome.workbook);
        const Sheet& s = outcome.workbook->activeSheet();
        for (const auto& [row, caption] : c.captions)
            EXPECT_EQ(PlainText(s.value(CellRef{row, 1})), caption);
    }
}

TEST_F(RunMeansTest, WithoutSectionsTheTablesEndAtRow19) {
    const ReportOutcome outcome = Run();
    ASSERT_TRUE(outcome.workbook);
    const Sheet& s = outcome.workbook->activeSheet();
    EXPECT_FALSE(PlainText(s.value("A19")).empty());
    for (const auto& [cell, value] : s.cells().values())
        if (cell.column <= 3) {
            EXPECT_LE(cell.row, 19) << CellName(cell);
        }
}

TEST_F(RunMeansTest, RankTestRecommendedLeavesTheOneSidedPAnEmptyText) {
    FillColumn(1, {1.2, 0.8, 1.1, 0.9, 1.0, 1.3, 0.7, 1.0, 1.1, 9.5});  // "skewed" of the R data
    FillColumn(2, {2.1, 1.9, 2.4, 2.2, 1.8, 2.0, 2.6, 2.3, 1.7, 2.5, 2.2});
    const ReportOutcome outcome = Run();  // 9.5 is an outlier; kept
    ASSERT_TRUE(outcome.workbook);
    const Sheet& s = outcome.workbook->activeSheet();
    EXPECT_EQ(Text(s, "A18"), "本例偏态显著");
    EXPECT_EQ(Text(s, "B9"), "U = 3.0662");
    EXPECT_EQ(s.value("B11"), ReportValue(std::string()));
    EXPECT_EQ(Text(s, "B13"), "T组<R组");
}

TEST_F(RunMeansTest, TooFewValuesAreRefused) {
    struct Case {
        std::vector<double> t, r;
        bool refused;
    };
    const Case cases[] = {
        {{1, 2}, {1, 2, 3}, true},
        {{1, 2, 3}, {1, 2}, true},
        {{1, 2, 3}, {}, true},
        {{1, 2, 3}, {4, 5, 7}, false},
    };
    for (const auto& c : cases) {
        FillColumn(1, c.t);
        FillColumn(2, c.r);
        prompter.events.clear();
        const ReportOutcome outcome = Run();
        EXPECT_EQ(outcome.refused, c.refused);
        EXPECT_EQ(outcome.workbook.has_value(), !c.refused);
        EXPECT_EQ(prompter.statusText(), kStatusReady);
        if (!c.refused) continue;
        const auto dialogs = prompter.dialogs();
        ASSERT_EQ(dialogs.size(), 1u);
        EXPECT_EQ(dialogs[0].text, kMeansTooFewText);
        EXPECT_EQ(dialogs[0].title, kMeansTooFewTitle);
        EXPECT_EQ(dialogs[0].icon, MessageIcon::Critical);
        EXPECT_EQ(data().value("A2"), CellValue(1.0));  // the grid keeps what was typed
    }
}

TEST_F(RunMeansTest, FirstBadCellIsReportedAndSelected) {
    struct Case {
        const char* cell;
        CellValue value;
    };
    const Case cases[] = {
        {"B5", CellValue{}},                    // a gap above the column's last value
        {"A3", CellValue(std::string("abc"))},  // text
        {"B16", CellValue(std::string("1,5"))},
    };
    for (const auto& c : cases) {
        WriteMeansTemplate(grid);
        data().setValue(c.cell, c.value);
        prompter.events.clear();
        const ReportOutcome outcome = Run();
        EXPECT_TRUE(outcome.refused) << c.cell;
        EXPECT_FALSE(outcome.workbook) << c.cell;
        const auto dialogs = prompter.dialogs();
        ASSERT_EQ(dialogs.size(), 1u) << c.cell;
        EXPECT_EQ(dialogs[0].text, kMeansBadCellText);
        EXPECT_EQ(dialogs[0].title, kMeansBadCellTitle);
        EXPECT_EQ(dialogs[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(grid.selection(), Range(c.cell));
        EXPECT_EQ(data().value(c.cell), c.value);
    }
}

TEST_F(RunMeansTest, HeadingsAndRowsBelowTheGridAreNotRead) {
    data().setValue("A1", std::string("任意标题"));
    data().setValue(CellRef{kMeansLastGridRow + 1, 1}, 1000.0);
    const ReportOutcome outcome = Run();
    ASSERT_TRUE(outcome.workbook);
    EXPECT_EQ(outcome.workbook->activeSheet().value("B8"), ReportValue(10.0));
}

TEST_F(RunMeansTest, YesMovesTheColumnUpAndEndsTheRun) {
    prompter.answers = {true};
    const auto columnA = Column(1, 20);
    const ReportOutcome outcome = Run();
    EXPECT_FALSE(outcome.workbook);
    EXPECT_FALSE(outcome.refused);
    EXPECT_EQ(prompter.statusText(), kStatusReady);

    const auto dialogs = prompter.dialogs();
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[1].text, kRecalculateText);
    EXPECT_EQ(dialogs[1].title, kRecalculateTitle);
    EXPECT_EQ(dialogs[1].icon, MessageIcon::Exclamation);

    // 59 (B9) is gone: 25 … 36 moved up one row, B16 emptied, column A untouched.
    const std::vector<double> expected = {32, 33, 41, 28, 32, 37, 33, 25, 33, 38, 28, 46, 51, 36};
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(data().value(CellRef{static_cast<int>(i) + 2, 2}), CellValue(expected[i])) << i;
    EXPECT_EQ(data().value("B16"), CellValue{});
    EXPECT_EQ(Column(1, 20), columnA);
    EXPECT_EQ(grid.selection(), Range("B9"));
    EXPECT_EQ(data().format(Cell("B16")).boxColourIndex, 5);  // the blue boxes stay

    prompter.events.clear();
    const ReportOutcome again = Run();
    ASSERT_TRUE(again.workbook);
    EXPECT_EQ(again.workbook->activeSheet().value("C8"), ReportValue(14.0));
}

TEST_F(RunMeansTest, QuestionsComeInRowOrderUntilOneIsDeleted) {
    // Two far values in T (n = 20, critical 2.56, G about 3.0 and 3.1): rows 3 and 21.
    std::vector<double> t = {10, 40};
    for (int i = 0; i < 17; ++i) t.push_back(i % 2 ? 10 : 11);
    t.push_back(-20);
    FillColumn(1, t);
    prompter.answers = {false, true};
    const ReportOutcome outcome = Run();
    EXPECT_FALSE(outcome.workbook);
    const auto dialogs = prompter.dialogs();
    ASSERT_EQ(dialogs.size(), 3u);
    EXPECT_EQ(dialogs[0].text, "T组中发现离群值40,是否删除");
    EXPECT_EQ(dialogs[1].text, "T组中发现离群值-20,是否删除");
    // The last value of a column is deleted by emptying its cell.
    EXPECT_EQ(data().value("A3"), CellValue(40.0));
    EXPECT_EQ(data().value("A21"), CellValue{});
    EXPECT_EQ(data().value("A20"), CellValue(11.0));
    EXPECT_EQ(FindMeansGroupRows(data()).n1(), 19);
}

TEST_F(RunMeansTest, GroupBeyondTheGrubbsTableIsNotTestedButTheOtherIs) {
    std::vector<double> many(101, 5.0);
    many[0] = 6;
    many[1] = 4;
    many[50] = 50;  // far out, but n = 101 is not tested
    FillColumn(1, many);
    const ReportOutcome outcome = Run();
    ASSERT_TRUE(outcome.workbook);
    const auto dialogs = prompter.dialogs();
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[0].text, kGrubbsTooMany);
    EXPECT_EQ(dialogs[1].text, "R组中发现离群值59,是否删除");
}

TEST_F(RunMeansTest, ConstantGroupsReportWhatCanBeComputed) {
    FillColumn(1, {5, 5, 5});
    FillColumn(2, {5, 5, 5, 5});
    const ReportOutcome outcome = Run(MeansOptions::All());
    ASSERT_TRUE(outcome.workbook);
    const Sheet& s = outcome.workbook->activeSheet();
    EXPECT_TRUE(prompter.dialogs().empty());  // nothing is flagged without spread
    EXPECT_EQ(s.value("B6"), ReportValue(5.0));
    EXPECT_EQ(s.value("B7"), ReportValue(0.0));
    // Normal by the counts, equal variances: the t test, which cannot be computed.
    EXPECT_EQ(Text(s, "B9"), "t = 无法计算");
    EXPECT_EQ(s.value("B10"), ReportValue{});
    EXPECT_EQ(Text(s, "B12"), "无法计算");
    EXPECT_EQ(Text(s, "B13"), "无法计算");
    EXPECT_EQ(s.value("B14"), ReportValue{});
    EXPECT_EQ(s.value("B15"), ReportValue{});
    EXPECT_EQ(s.value("B87"), ReportValue{});  // rank z
    EXPECT_EQ(Text(s, "B89"), "无法计算");
    EXPECT_EQ(s.value("B73"), ReportValue{});  // equal means: no sample size
    EXPECT_EQ(Text(s, "B99"), "方差相齐");
    EXPECT_EQ(s.value("B97"), ReportValue{});  // F of 0/0
    EXPECT_EQ(s.value("C63"), ReportValue(5.0));  // mode of R
    EXPECT_EQ(s.value("B67"), ReportValue{});  // kurtosis of three values
}

TEST(MeansHelp, TitleFollowsTheCaption) {
    struct Case {
        const char* caption;
        const char* title;
    };
    const Case cases[] = {
        {kMeansWindowCaption, "智能化两组均数分析在线帮助"},
        {kMeansIntelligentCaption, "智能化分析在线帮助"},
        {kMeansCompareCaption, "智能化两样本均数比较在线帮助"},
    };
    for (const auto& c : cases) {
        const auto box = MeansHelpBox(c.caption);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->title, c.title);
        EXPECT_EQ(box->text.rfind("【举例说明】\r", 0), 0u);
        EXPECT_NE(box->text.back(), '\r');
        EXPECT_NE(box->text.find("\r\r【参考文献】\r"), std::string::npos);
        EXPECT_EQ(box->text.find('\n'), std::string::npos);
    }
    EXPECT_FALSE(MeansHelpBox("别的标题"));
}

TEST(MeansHelp, MenuEntries) {
    EXPECT_STREQ(MeansMenu(MeansMenuEntry::AverAna).caption, "智能化两组均数分析");
    EXPECT_TRUE(MeansMenu(MeansMenuEntry::AverAna).enabled);
    EXPECT_STREQ(MeansMenu(MeansMenuEntry::AverComp).windowCaption, kMeansCompareCaption);
    EXPECT_FALSE(MeansMenu(MeansMenuEntry::ItelAna).enabled);
    EXPECT_STREQ(MeansMenu(MeansMenuEntry::ItelAna).objectName, "mnuItelAna");
}

}  // namespace
}  // namespace tavelmark::means
