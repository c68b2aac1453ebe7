// The calculate command as the window and the command line run it: the
// refusals (message, title, icon and the offending cell selected), the
// report's sections in their order with the recommendation and the marks,
// the chart, the second sheet, and the options codec.
#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analyses/multigroup/multigroup_chart.h"
#include "analyses/multigroup/multigroup_options_codec.h"
#include "analyses/multigroup/multigroup_template.h"
#include "analyses/multigroup/multigroup_texts.h"
#include "analyses/multigroup/run_multigroup.h"
#include "report/extended_sheet.h"
#include "model/wrapped_text.h"
#include "support/chart_cells.h"
#include "support/sheet_cells.h"

namespace tavelmark::multigroup {
namespace {

using model::CellRef, model::InputGrid, model::RangeRef;
using report::MessageIcon, report::RecordingPrompter;

struct Calculation {
    report::ReportOutcome outcome;
    RecordingPrompter prompter;
};

Calculation Calculate(InputGrid& grid, const MultigroupOptions& options = {}) {
    Calculation run;
    run.outcome = RunMultigroup(grid, options, run.prompter, report::ReportContext{});
    return run;
}

InputGrid Template() {
    InputGrid grid;
    WriteMultigroupTemplate(grid);
    return grid;
}

TEST(RunMultigroupRefusals, EachRefusalSaysWhyAndSelectsTheCell) {
    struct Case {
        const char* what;
        std::function<void(model::GridSheet&)> change;
        MultigroupOptions options;
        const char* title;
        std::string text;
        MessageIcon icon;
        RangeRef selected;
    };
    const auto clearAll = [](model::GridSheet& s) { s.clearContents(RangeRef{{1, 1}, {kLastGridRow, kMostGroups}}); };
    MultigroupOptions unknownReference, sameReferences;
    unknownReference.reference = "溶媒组";
    sameReferences.normalControl = "模型组";
    const Case cases[] = {
        {"one group", [&](model::GridSheet& s) { s.clearContents(RangeRef{{1, 2}, {kLastGridRow, kMostGroups}}); }, {},
         text::kTooFewGroupsTitle, text::kTooFewGroups, MessageIcon::Critical, RangeRef::cell({1, 2})},
        {"empty grid", clearAll, {}, text::kTooFewGroupsTitle, text::kTooFewGroups, MessageIcon::Critical,
         RangeRef::cell({1, 1})},
        {"group of one", [](model::GridSheet& s) { s.clearContents(RangeRef{{3, 3}, {9, 3}}); }, {},
         text::kTooFewValuesTitle, std::string("“阳性药组”组") + text::kTooFewValuesTail, MessageIcon::Critical,
         RangeRef::cell({3, 3})},
        {"text inside a column", [](model::GridSheet& s) { s.setValue(CellRef{5, 4}, std::string("8o.2")); }, {},
         text::kBadCellTitle, text::kBadCell, MessageIcon::Exclamation, RangeRef::cell({5, 4})},
        {"gap inside a column", [](model::GridSheet& s) { s.clearContents(RangeRef::cell({4, 2})); }, {},
         text::kBadCellTitle, text::kBadCell, MessageIcon::Exclamation, RangeRef::cell({4, 2})},
        {"a value too large to square", [](model::GridSheet& s) { s.setValue(CellRef{6, 3}, -2.5e200); }, {},
         text::kTooLargeTitle, text::kTooLarge, MessageIcon::Exclamation, RangeRef::cell({6, 3})},
        {"values without a name", [](model::GridSheet& s) { s.setValue(CellRef{2, 8}, 3.0); }, {},
         text::kMissingNameTitle, text::kMissingName, MessageIcon::Exclamation, RangeRef::cell({1, 7})},
        {"same name twice", [](model::GridSheet& s) { s.setValue(CellRef{1, 5}, std::string("低剂量组")); }, {},
         text::kDuplicateNameTitle, std::string("“低剂量组”") + text::kDuplicateNameTail, MessageIcon::Exclamation,
         RangeRef::cell({1, 5})},
        {"all values equal",
         [&](model::GridSheet& s) {
             clearAll(s);
             for (int c = 1; c <= 3; ++c) {
                 s.setValue(CellRef{1, c}, "组" + std::to_string(c));
                 for (int r = 2; r <= 4 + c; ++r) s.setValue(CellRef{r, c}, 7.5);
             }
         },
         {}, text::kNoVariationTitle, text::kNoVariation, MessageIcon::Exclamation, RangeRef{{2, 1}, {7, 3}}},
        {"unknown reference", [](model::GridSheet&) {}, unknownReference, text::kReferenceTitle,
         std::string(text::kReferenceMissingHead) + "溶媒组" + text::kReferenceMissingTail, MessageIcon::Exclamation,
         RangeRef{{1, 1}, {1, 6}}},
        {"normal control is the reference", [](model::GridSheet&) {}, sameReferences, text::kReferenceTitle,
         text::kSameReferences, MessageIcon::Exclamation, RangeRef::cell({1, 2})},
    };
    for (const Case& c : cases) {
        InputGrid grid = Template();
        c.change(grid.activeSheet());
        Calculation run = Calculate(grid, c.options);
        EXPECT_TRUE(run.outcome.refused) << c.what;
        EXPECT_FALSE(run.outcome.workbook) << c.what;
        const auto dialogs = run.prompter.dialogs();
        ASSERT_EQ(dialogs.size(), 1u) << c.what;
        EXPECT_EQ(dialogs[0].title, c.title) << c.what;
        EXPECT_EQ(dialogs[0].text, c.text) << c.what;
        EXPECT_EQ(dialogs[0].icon, c.icon) << c.what;
        EXPECT_EQ(grid.selection(), c.selected) << c.what;
        EXPECT_EQ(run.prompter.statusText(), "就绪") << c.what;
    }
}

TEST(RunMultigroupRefusals, ValuesBelowTheLastGridRowAreNotSeen) {
    InputGrid grid = Template();
    grid.activeSheet().setValue(CellRef{kLastGridRow + 1, 7}, 5.0);
    EXPECT_TRUE(Calculate(grid).outcome.workbook);
}

// The rows of column A that open a section, in order.
std::vector<std::string> Captions(const model::Sheet& sheet) {
    std::vector<std::string> captions;
    const int last = sheet.usedExtent().row;
    for (int row = 1; row <= last; ++row)
        if (sheet.format(CellRef{row, 2}).bottomBorder == model::BorderWeight::Medium &&
            sheet.format(CellRef{row + 1, 2}).bottomBorder == model::BorderWeight::Thin)
            captions.push_back(tavelmark::test::Text(sheet, row, 1));
    return captions;
}

TEST(RunMultigroupReport, TheWorkedExampleInTheSectionsOrder) {
    InputGrid grid = Template();
    Calculation run = Calculate(grid);
    ASSERT_TRUE(run.outcome.workbook);
    const model::Sheet& sheet = run.outcome.workbook->activeSheet();
    EXPECT_EQ(tavelmark::test::Text(sheet, "A2"), text::kReportTitle);
    EXPECT_EQ(tavelmark::test::Text(sheet, "A4"), "方法推荐");
    EXPECT_NE(tavelmark::test::Text(sheet, "A5").find("故采用单因素方差分析"), std::string::npos);
    // The sentence wraps across the tables' eleven columns instead of running
    // past them: one merged, wrapped cell whose row grows to hold it.
    EXPECT_NE(std::find(sheet.merges().begin(), sheet.merges().end(), model::Range("A5:K5")), sheet.merges().end());
    EXPECT_TRUE(sheet.format(CellRef{5, 1}).wrapText);
    EXPECT_GE(model::RowLineCount(sheet, 5), 2);
    const std::vector<std::string> expected = {
        "统计描述", "正态性与离群值检验", "方差齐性检验", "单因素方差分析", "与模型组比较(Dunnett法)",
        "两两比较(Tukey法)", "其他整体检验(供参考)", "其他两两比较方法(供参考)", "效应量", "作图数据"};
    EXPECT_EQ(Captions(sheet), expected);
    EXPECT_EQ(run.outcome.workbook->sheets.size(), 1u);
}

TEST(RunMultigroupReport, MarksFollowTheChosenComparisonsAndTheNormalControl) {
    InputGrid grid = Template();
    MultigroupOptions options;
    options.normalControl = "正常对照组";
    Calculation run = Calculate(grid, options);
    ASSERT_TRUE(run.outcome.workbook);
    const model::Sheet& sheet = run.outcome.workbook->activeSheet();
    // The descriptives: 组别 in A, 标记 in K, from row 9 on (caption at 7).
    std::map<std::string, std::string> marks;
    for (int row = 9; row <= 14; ++row) marks[tavelmark::test::Text(sheet, row, 1)] = tavelmark::test::Text(sheet, row, 11);
    EXPECT_EQ(marks["正常对照组"], "");
    EXPECT_EQ(marks["模型组"], "##");  // the model against the normal control
    EXPECT_EQ(marks["阳性药组"], "**");
    EXPECT_EQ(marks["低剂量组"], "*");
    EXPECT_EQ(marks["高剂量组"], "**");
    // The legend under the table against the reference group.
    bool legend = false;
    for (int row = 1; row <= sheet.usedExtent().row; ++row)
        legend |= tavelmark::test::Text(sheet, row, 1) == "与模型组比较:*P≤0.05,**P≤0.01;与正常对照组比较:#P≤0.05,##P≤0.01";
    EXPECT_TRUE(legend);
}

TEST(RunMultigroupReport, TheChartDrawsEveryValueTheMeansAndTheMarks) {
    InputGrid grid = Template();
    Calculation run = Calculate(grid);
    const model::Sheet& sheet = run.outcome.workbook->activeSheet();
    const model::Chart* chart = tavelmark::test::OnlyChart(sheet);
    ASSERT_TRUE(chart);
    EXPECT_EQ(chart->name, kChartName);
    int dots = 0, bars = 0;
    const model::ChartSeries *whiskers = nullptr, *marks = nullptr, *names = nullptr;
    for (const model::ChartSeries& s : chart->series) {
        if (s.kind == model::SeriesKind::ScatterLinesNoMarkers) ++bars;
        else if (s.markerStyle == model::MarkerStyle::Circle) dots += static_cast<int>(tavelmark::test::SeriesPoints(sheet, s).size());
        else if (s.errorPlus) whiskers = &s;
        else if (s.labels && s.labelPosition == model::LabelPosition::Above) marks = &s;
        else if (s.labels) names = &s;
    }
    EXPECT_EQ(dots, 48);
    EXPECT_EQ(bars, 6);
    ASSERT_TRUE(whiskers && marks && names);
    const auto sds = tavelmark::test::CellNumbers(sheet, *whiskers->errorPlus);
    EXPECT_NEAR(*sds[1], 5.5710, 5e-5);  // 模型组
    std::vector<std::string> markTexts, nameTexts;
    for (int r = marks->labels->first.row; r <= marks->labels->last.row; ++r) {
        markTexts.push_back(tavelmark::test::Text(sheet, r, marks->labels->first.column));
        nameTexts.push_back(tavelmark::test::Text(sheet, r, names->labels->first.column));
    }
    EXPECT_EQ(markTexts, (std::vector<std::string>{"**", "", "**", "*", "**", "**"}));
    EXPECT_EQ(nameTexts.front(), "正常对照组");
    // Every mark stands above its group's highest dot and whisker.
    const auto markPoints = tavelmark::test::SeriesPoints(sheet, *marks);
    const auto means = tavelmark::test::SeriesPoints(sheet, *whiskers);
    for (std::size_t g = 0; g < markPoints.size(); ++g) EXPECT_GT(markPoints[g].y, means[g].y + *sds[g]);
}

TEST(RunMultigroupReport, TheSecondSheetLeavesTheFirstAsItWas) {
    InputGrid grid = Template();
    Calculation plain = Calculate(grid);
    MultigroupOptions options;
    options.extended = true;
    Calculation extended = Calculate(grid, options);
    ASSERT_EQ(extended.outcome.workbook->sheets.size(), 2u);
    const model::Sheet& first = plain.outcome.workbook->activeSheet();
    const model::Sheet& again = extended.outcome.workbook->activeSheet();
    const CellRef extent = first.usedExtent();
    EXPECT_EQ(again.usedExtent(), extent);
    for (int r = 1; r <= extent.row; ++r)
        for (int c = 1; c <= extent.column; ++c)
            ASSERT_EQ(first.value(CellRef{r, c}), again.value(CellRef{r, c})) << r << "," << c;
    const model::Sheet& second = extended.outcome.workbook->sheets[1];
    EXPECT_EQ(second.name(), report::kExtendedSheetName);
    bool critical = false, eta90 = false, everyPair = false;
    for (int r = 1; r <= second.usedExtent().row; ++r) {
        const std::string label = tavelmark::test::Text(second, r, 1);
        critical |= label.starts_with("Dunnett临界值") && tavelmark::test::Number(second, r, 2).has_value();
        eta90 |= label == "η²(90%可信区间)" && tavelmark::test::Number(second, r, 3).has_value();
        everyPair |= label == "全部两两比较方法的P值";
    }
    EXPECT_TRUE(critical && eta90 && everyPair);
}

TEST(RunMultigroupReport, TheControlWindowsTitleAndHelp) {
    MultigroupOptions options;
    options.focus = MultigroupFocus::AgainstReference;
    InputGrid grid = Template();
    Calculation run = Calculate(grid, options);
    EXPECT_EQ(tavelmark::test::Text(run.outcome.workbook->activeSheet(), "A2"), text::kControlReportTitle);
    EXPECT_EQ(MultigroupHelpBox(options.focus).title, "各实验组与对照组均数比较在线帮助");
    const report::HelpBox help = MultigroupHelpBox();
    EXPECT_EQ(help.title, "多组均数分析在线帮助");
    EXPECT_TRUE(help.text.starts_with("【举例说明】"));
    EXPECT_NE(help.text.back(), '\r');
}

TEST(MultigroupOptionsCodec, RoundTripsAndRefusesWhatItCannotRead) {
    MultigroupOptions options;
    options.reference = "模型组";
    options.normalControl = "正常对照组";
    options.alwaysUnequalVariances = true;
    options.focus = MultigroupFocus::AgainstReference;
    options.extended = true;
    const auto back = MultigroupOptionsFromJson(MultigroupOptionsToJson(options));
    ASSERT_TRUE(std::holds_alternative<MultigroupOptions>(back));
    const MultigroupOptions& read = std::get<MultigroupOptions>(back);
    EXPECT_EQ(read.reference, options.reference);
    EXPECT_EQ(read.normalControl, options.normalControl);
    EXPECT_TRUE(read.alwaysUnequalVariances);
    EXPECT_EQ(read.focus, MultigroupFocus::AgainstReference);
    EXPECT_TRUE(read.extended);

    const auto defaults = MultigroupOptionsFromJson(nlohmann::json::object());
    ASSERT_TRUE(std::holds_alternative<MultigroupOptions>(defaults));
    EXPECT_EQ(std::get<MultigroupOptions>(defaults).focus, MultigroupFocus::AllPairs);
    EXPECT_TRUE(std::get<MultigroupOptions>(defaults).reference.empty());

    struct Bad {
        nlohmann::json json;
        const char* names;
    };
    const Bad bad[] = {{{{"reference", 3}}, "reference"},
                       {{{"alwaysUnequalVariances", "yes"}}, "alwaysUnequalVariances"},
                       {{{"focus", "pairs"}}, "focus"},
                       {{{"extended", 1}}, "extended"},
                       {{{"reference", "A"}, {"normalControl", "A"}}, "normalControl"}};
    for (const Bad& b : bad) {
        const auto refused = MultigroupOptionsFromJson(b.json);
        ASSERT_TRUE(std::holds_alternative<std::string>(refused)) << b.json.dump();
        EXPECT_NE(std::get<std::string>(refused).find(b.names), std::string::npos) << std::get<std::string>(refused);
    }
    EXPECT_TRUE(std::holds_alternative<std::string>(MultigroupOptionsFromJson(nlohmann::json::array())));
}

}  // namespace
}  // namespace tavelmark::multigroup
