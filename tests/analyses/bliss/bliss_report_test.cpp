#include "analyses/bliss/run_bliss.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "analyses/bliss/bliss_fit.h"
#include "analyses/bliss/bliss_report.h"
#include "analyses/bliss/bliss_template.h"
#include "analyses/bliss/ldk_calculator.h"
#include "bliss_fixtures.h"
#include "support/tolerance.h"

namespace tavelmark::bliss {

using model::BorderWeight, model::Cell, model::CellRef, model::CellValue, model::Chart,
    model::HAlign, model::InputGrid, model::PlainText, model::Range, model::ReportValue,
    model::SeriesKind, model::Sheet, model::VAlign;
using report::RecordingPrompter, report::ReportContext;

namespace {

using test::SameTo;

BlissOptions AllOn() {
    BlissOptions o;
    o.showIntermediate = o.showFieller = o.showHeterogeneity = o.drawChart = true;
    return o;
}

struct Calculation {
    InputGrid grid;
    RecordingPrompter prompter;
    BlissOutcome outcome;
    const Sheet& sheet() const { return outcome.report.workbook->activeSheet(); }
};

Calculation Calculate(const BlissOptions& options) {
    Calculation run;
    WriteBlissTemplate(run.grid);
    run.outcome = RunBliss(run.grid, options, run.prompter, ReportContext{});
    return run;
}

bool IsEmptyValue(const ReportValue& v) { return std::holds_alternative<std::monostate>(v); }
std::string TextAt(const Sheet& sheet, const char* a1) { return PlainText(sheet.value(a1)); }
double NumberAt(const Sheet& sheet, const char* a1) {
    const auto* v = std::get_if<double>(&sheet.value(a1));
    return v ? *v : NAN;
}

TEST(BlissReport, WorkedExampleWithEverythingOn) {
    const Calculation run = Calculate(AllOn());
    ASSERT_TRUE(run.outcome.report.workbook);
    EXPECT_FALSE(run.outcome.report.refused);
    EXPECT_EQ(run.prompter.statusText(), "就绪");
    EXPECT_TRUE(run.prompter.dialogs().empty());
    const Sheet& s = run.sheet();
    // Texts of the worked example of the manual.
    const struct {
        const char* cell;
        const char* text;
    } texts[] = {
        {"A2", "Bliss法(正规LD50计算)计算结果"},
        {"A4", "计算结果"},
        {"B4", "(本底死亡率为:0%)"},
        {"A5", "项目"},
        {"C5", "数据"},
        {"A8", "LD50的95%可信限(L95)"},
        {"C8", "12.5392～16.0635"},
        {"A14", "回归方程:Y(几率单位)＝"},
        {"C14", "-1.7316 + 5.8431×Log(D)"},
        {"A16", "中间结果"},
        {"H16", "第 3 轮"},
        {"A17", "对数剂量(X)"},
        {"H17", "误差(=Yr-Y)"},
        {"B18", "100%"},
        {"B19", "85%"},
        {"B23", "0%"},
        {"A31", "Feiller氏Sx50校正"},
        {"D32", "L95%"},
        {"C33", "12.47～16.15"},
        {"A34", "注:g值＝ .0852  g≤0.1,可忽略  不必作Feiller校正"},
        {"A36", "异质性的全面校正"},
        {"C38", "11.91～16.91"},
        {"A39", "注:χ2值＝ 3.4078  P值= .492032  不必作异质性校正"},
    };
    for (const auto& t : texts) EXPECT_EQ(TextAt(s, t.cell), t.text) << t.cell;
    const struct {
        const char* cell;
        double value;
    } numbers[] = {
        {"C6", 14.1924}, {"C7", 1.7621},  {"C9", 0.1242},  {"C10", 5.8431}, {"C11", 0.8699},
        {"C12", 1.1521}, {"C13", 0.0274}, {"C18", 7.2400}, {"C23", 2.7600}, {"A33", 14.1924},
        {"H33", 0.0287}, {"F38", 0.8029}, {"H38", 0.0274},
    };
    for (const auto& n : numbers) EXPECT_TRUE(SameTo(NumberAt(s, n.cell), n.value, 4)) << n.cell;
    EXPECT_TRUE(IsEmptyValue(s.value("A24")));

    ASSERT_EQ(s.charts().size(), 1u);
    const Chart& chart = s.charts()[0];
    EXPECT_EQ(chart.title, "Yr-X");
    ASSERT_EQ(chart.series.size(), 2u);
    EXPECT_EQ(chart.series[0].xValues, Range("A18:A23"));
    EXPECT_EQ(chart.series[0].yValues, Range("C18:C23"));
    EXPECT_EQ(chart.series[1].yValues, Range("G18:G23"));
    EXPECT_EQ(chart.series[1].kind, SeriesKind::ScatterLinesNoMarkers);
    EXPECT_EQ(s.selectedCell(), Cell("A1"));
}

TEST(BlissReport, FormatsAndRules) {
    const Calculation run = Calculate(AllOn());
    const Sheet& s = run.sheet();
    EXPECT_EQ(s.format(Cell("C6")).numberFormat, "0.0000_ ");
    EXPECT_EQ(s.format(Cell("C14")).numberFormat, "0.0000_ ");
    EXPECT_EQ(s.format(Cell("B14")).horizontal, HAlign::CenterAcrossSelection);
    EXPECT_EQ(s.format(Cell("D13")).horizontal, HAlign::CenterAcrossSelection);
    EXPECT_EQ(s.format(Cell("C14")).horizontal, HAlign::General);
    EXPECT_EQ(s.format(Cell("A10")).vertical, VAlign::Center);
    EXPECT_EQ(s.format(Cell("A18")).numberFormat, "0.0000_ ");
    EXPECT_EQ(s.format(Cell("E20")).numberFormat, "0.000000_ ");
    EXPECT_EQ(s.format(Cell("H20")).numberFormat, "General");
    EXPECT_EQ(s.format(Cell("F29")).horizontal, HAlign::Center);
    EXPECT_EQ(s.format(Cell("B33")).numberFormat, "0.000000_ ");
    EXPECT_EQ(s.columnWidth(1), 13.5);
    // Three rules per table: medium, thin, medium.
    const struct {
        const char* cell;
        BorderWeight weight;
    } rules[] = {{"A4", BorderWeight::Medium},  {"D5", BorderWeight::Thin},
                 {"B14", BorderWeight::Medium}, {"E4", BorderWeight::None},
                 {"H16", BorderWeight::Medium}, {"H17", BorderWeight::Thin},
                 {"H29", BorderWeight::Medium}, {"A23", BorderWeight::None},
                 {"H33", BorderWeight::Medium}, {"A38", BorderWeight::Medium},
                 {"A39", BorderWeight::None}};
    for (const auto& r : rules) EXPECT_EQ(s.format(Cell(r.cell)).bottomBorder, r.weight) << r.cell;
}

TEST(BlissReport, OptionalTablesStartWhereTheOptionsPutThem) {
    const struct {
        const char* what;
        bool intermediate, fieller, heterogeneity, chart;
        std::vector<const char*> captions;  // cells that hold a table caption
        bool hasChart;
        int lastRow;
    } cases[] = {
        {"nothing", false, false, false, false, {}, false, 14},
        {"chart without intermediate", false, false, false, true, {}, false, 14},
        {"Fieller only", false, true, false, false, {"A16"}, false, 19},
        {"Fieller and heterogeneity", false, true, true, false, {"A16", "A21"}, false, 24},
        {"intermediate and Fieller", true, true, false, false, {"A16", "A31"}, false, 34},
        {"heterogeneity only", false, false, true, false, {"A16"}, false, 19},
    };
    for (const auto& c : cases) {
        BlissOptions o;
        o.showIntermediate = c.intermediate;
        o.showFieller = c.fieller;
        o.showHeterogeneity = c.heterogeneity;
        o.drawChart = c.chart;
        const Calculation run = Calculate(o);
        const Sheet& s = run.sheet();
        for (const char* cell : c.captions) EXPECT_FALSE(IsEmptyValue(s.value(cell))) << c.what << cell;
        EXPECT_EQ(s.charts().empty(), !c.hasChart) << c.what;
        int lastValueRow = 0;
        for (const auto& [ref, v] : s.cells().values()) lastValueRow = std::max(lastValueRow, ref.row);
        EXPECT_EQ(lastValueRow, c.lastRow) << c.what;
    }
}

TEST(BlissReport, BackgroundMortalityIsShownAndApplied) {
    BlissOptions o = AllOn();
    o.backgroundText = "10";
    Calculation run = Calculate(o);
    ASSERT_TRUE(run.outcome.report.workbook);
    EXPECT_EQ(run.prompter.dialogs().size(), 1u);  // the 0 of 20 group is dropped
    const Sheet& s = run.sheet();
    EXPECT_EQ(TextAt(s, "B4"), "(本底死亡率为:10%)");
    EXPECT_EQ(TextAt(s, "B19"), "83.3333333333333%");
    EXPECT_EQ(TextAt(s, "B22"), "0%");
    EXPECT_TRUE(IsEmptyValue(s.value("B23")));
    EXPECT_EQ(s.charts()[0].series[0].xValues, Range("A18:A22"));

    o.backgroundText = "0.5";
    run = Calculate(o);
    EXPECT_EQ(TextAt(run.sheet(), "B4"), "(本底死亡率为:.5%)");
}

TEST(BlissReport, NotesAtTheirThresholds) {
    BlissFit fit = *FitBliss(test::WorkedExample(), 0).fit;
    const struct {
        double g, Pchi;
        const char *fiellerNote, *heterogeneityNote;
    } cases[] = {
        {0.1, 0.05, "注:g值＝ .1  g≤0.1,可忽略  不必作Feiller校正",
         "注:χ2值＝ 3.4078  P值= .05  应作异质性校正"},
        {0.10001, 0.0500001, "注:g值＝ .1  g>0.1,不可忽略  应作Feiller校正",
         "注:χ2值＝ 3.4078  P值= .05  不必作异质性校正"},
        {1.5, 0.001, "注:g值＝ 1.5  g>0.1,不可忽略  应作Feiller校正",
         "注:χ2值＝ 3.4078  P值= .001  应作异质性校正"},
    };
    BlissOptions o;
    o.showFieller = o.showHeterogeneity = true;
    for (const auto& c : cases) {
        fit.g = c.g;
        fit.Pchi = c.Pchi;
        Sheet sheet;
        WriteBlissReport(sheet, fit, 0, o);
        EXPECT_EQ(TextAt(sheet, "A19"), c.fiellerNote);
        EXPECT_EQ(TextAt(sheet, "A24"), c.heterogeneityNote);
    }
}

TEST(BlissReport, MissingFiellerIntervalLeavesItsCellsEmpty) {
    BlissFit fit = *FitBliss(test::WorkedExample(), 0).fit;
    fit.g = 1.2;
    fit.fieller.reset();
    BlissOptions o;
    o.showFieller = true;
    Sheet sheet;
    WriteBlissReport(sheet, fit, 0, o);
    for (const char* cell : {"B18", "C18", "D18", "H18"}) EXPECT_TRUE(IsEmptyValue(sheet.value(cell))) << cell;
    for (const char* cell : {"A18", "E18", "F18", "G18"}) EXPECT_FALSE(IsEmptyValue(sheet.value(cell))) << cell;
}

// "lower～upper" as two numbers.
std::pair<double, double> Limits(const std::string& text) {
    const auto tilde = text.find("～");
    if (tilde == std::string::npos) return {NAN, NAN};
    return {std::strtod(text.substr(0, tilde).c_str(), nullptr),
            std::strtod(text.substr(tilde + std::string("～").size()).c_str(), nullptr)};
}

TEST(BlissReport, LimitsBracketTheLD50AtTheLargestDoses) {
    // The worked example with every dose times 1e298 (LD50 near 1.4e299):
    // moving all doses by one factor moves the LD50 and every limit by that
    // factor, so each limit text must read back as the limit of the
    // unscaled calculation times 1e298. To 1e-7 rather than the 15 digits a
    // text shows: sums of squares of log doses near 299 lose digits to
    // cancellation that those near 1 keep.
    for (const char* background : {"0", "10"}) {
        BlissOptions o = AllOn();
        o.backgroundText = background;
        const Calculation plain = Calculate(o);
        Calculation run;
        WriteBlissTemplate(run.grid);
        for (int row = 2; row <= 7; ++row)
            run.grid.setValue(CellRef{row, 2}, std::get<double>(run.grid.value(CellRef{row, 2})) * 1e298);
        run.outcome = RunBliss(run.grid, o, run.prompter, ReportContext{});
        ASSERT_TRUE(run.outcome.fit && plain.outcome.fit) << background;
        const BlissFit& fit = *run.outcome.fit;
        const BlissFit& reference = *plain.outcome.fit;
        const struct {
            const char* cell;
            BlissLimits limits, unscaled;
        } cases[] = {
            {"C8", fit.limits, reference.limits},
            {"C33", *fit.fieller, *reference.fieller},
            {"C38", *fit.heterogeneity, *reference.heterogeneity},
        };
        for (const auto& c : cases) {
            const std::string text = TextAt(run.sheet(), c.cell);
            const auto [lower, upper] = Limits(text);
            EXPECT_LT(lower, fit.LD50) << background << ' ' << c.cell << ": " << text;
            EXPECT_GT(upper, fit.LD50) << background << ' ' << c.cell << ": " << text;
            EXPECT_NEAR(lower / 1e298, c.unscaled.lower, c.unscaled.lower * 1e-7) << c.cell << ": " << text;
            EXPECT_NEAR(upper / 1e298, c.unscaled.upper, c.unscaled.upper * 1e-7) << c.cell << ": " << text;
        }
        EXPECT_NEAR(fit.LD50 / 1e298, reference.LD50, reference.LD50 * 1e-9) << background;
        const LDkTexts ldk = LDkTextsFor(fit.handOver(), "50");
        const auto [lower, upper] = Limits(ldk.l95);
        EXPECT_LT(lower, fit.LD50) << background << " calculator: " << ldk.l95;
        EXPECT_GT(upper, fit.LD50) << background << " calculator: " << ldk.l95;
        EXPECT_NEAR(std::strtod(ldk.ldk.c_str(), nullptr), fit.LD50, fit.LD50 * 1e-14) << ldk.ldk;
    }
}

TEST(BlissRun, RefusalsLeaveNoWorkbookAndAReadyStatus) {
    const struct {
        const char* what;
        const char* background;
        const char* cell;
        CellValue value;
        const char* text;
    } cases[] = {
        {"bad dose", "0", "B3", CellValue(0.0), "给药剂量应为正数"},
        {"background of 100 %", "100", "B3", CellValue(25.0), "本底死亡率应在[0%,100%)之间,请重新输入"},
        {"all doses equal", "0", "B3", CellValue(35.0), nullptr},
    };
    for (const auto& c : cases) {
        InputGrid grid;
        WriteBlissTemplate(grid);
        grid.setValue(c.cell, c.value);
        if (std::string(c.what) == "all doses equal")
            for (int row = 2; row <= 7; ++row) grid.setValue(CellRef{row, 2}, 35.0);
        BlissOptions o;
        o.backgroundText = c.background;
        RecordingPrompter prompter;
        const BlissOutcome outcome = RunBliss(grid, o, prompter, ReportContext{});
        EXPECT_TRUE(outcome.report.refused) << c.what;
        EXPECT_FALSE(outcome.report.workbook) << c.what;
        EXPECT_FALSE(outcome.fit) << c.what;
        EXPECT_EQ(prompter.statusText(), "就绪") << c.what;
        ASSERT_FALSE(prompter.dialogs().empty()) << c.what;
        if (c.text) {
            EXPECT_EQ(prompter.dialogs().back().text, c.text) << c.what;
        }
    }
}

TEST(SignificantText, FifteenDigitsWithoutExponent) {
    EXPECT_EQ(SignificantText(85.00000000000001), "85");
    EXPECT_EQ(SignificantText(100 * (0.85 - 0.1) / 0.9), "83.3333333333333");
    EXPECT_EQ(SignificantText(0.5), "0.5");
    EXPECT_EQ(SignificantText(0.00001), "0.00001");
    EXPECT_EQ(SignificantText(0), "0");
    EXPECT_EQ(SignificantText(100), "100");
}

}  // namespace
}  // namespace tavelmark::bliss
