// The report of the two-group rates analysis: the fixed test table, the
// optional rows and sections and where the row counter puts them. Values of
// the example table are those of the worked example of the manual.
#include <gtest/gtest.h>

#include "analyses/rates/conclusions.h"
#include "analyses/rates/rates_window.h"
#include "analyses/rates/run_rates.h"
#include "support/tolerance.h"

namespace tavelmark::rates {

using model::BorderWeight, model::Cell, model::HAlign, model::InputGrid, model::PlainText,
    model::Range, model::ReportValue, model::RichText, model::Sheet, model::VAlign, model::Workbook;
using report::MessageIcon, report::RecordingPrompter, report::ReportOutcome;

namespace {

using test::SameTo;

struct RatesReport : ::testing::Test {
    InputGrid grid;
    RecordingPrompter prompter;
    Workbook workbook;

    void SetUp() override { WriteRatesTemplate(grid); }
    void setCounts(double a, double b, double c, double d) {
        grid.setValue("B2", a);
        grid.setValue("C2", b);
        grid.setValue("B3", c);
        grid.setValue("C3", d);
    }
    const Sheet& run(const RatesOptions& options) {
        ReportOutcome outcome = RunRates(grid, options, prompter, {TAVELMARK_RESOURCES});
        EXPECT_TRUE(outcome.workbook);
        workbook = outcome.workbook ? std::move(*outcome.workbook) : Workbook{};
        return workbook.activeSheet();
    }
    static std::string text(const Sheet& s, const char* cell) { return PlainText(s.value(cell)); }
    static std::optional<double> number(const Sheet& s, const char* cell) {
        if (const double* d = std::get_if<double>(&s.value(cell))) return *d;
        return std::nullopt;
    }
    static std::string superscripts(const Sheet& s, const char* cell) {
        std::string raised;
        if (const auto* runs = std::get_if<RichText>(&s.value(cell)))
            for (const auto& run : *runs)
                if (run.superscript) raised += run.text;
        return raised;
    }
};

TEST_F(RatesReport, FixedTestTableOfTheExample) {
    const Sheet& s = run(RatesOptions{});
    EXPECT_EQ(text(s, "A1"), "Quorin ver1.0 (Tavelmark for Windows)");
    EXPECT_EQ(text(s, "A2"), "智能化两组阳性率分析(2×2卡方法)计算结果");
    EXPECT_EQ(s.columnWidth(1), 20);
    EXPECT_EQ(s.columnWidth(5), 13.6);

    const char* labels[][2] = {{"A4", "计算结果"},      {"A5", "统计方法"}, {"B5", "统计量"},
                               {"C5", "P值"},           {"D5", "统计结论"}, {"E5", "专业结论"},
                               {"A6", "Fisher精确概率"}, {"A7", "      (本侧)"},
                               {"A8", "      (对侧)"},  {"A9", "      (双侧)"},
                               {"A10", "Pearson卡方(χ2)"}, {"A11", "Yates连续校正卡方(χ2)"}};
    for (const auto& [cell, label] : labels) EXPECT_EQ(text(s, cell), label) << cell;
    EXPECT_EQ(superscripts(s, "A10"), "2");
    EXPECT_EQ(superscripts(s, "A11"), "2");

    struct Row {
        const char* cell;
        double value;
    };
    for (const Row& r : {Row{"C7", 0.03722}, Row{"C8", 0.03722}, Row{"C9", 0.07443},
                         Row{"B10", 4.13333}, Row{"C10", 0.04205}, Row{"B11", 3.16458},
                         Row{"C11", 0.07525}})
        EXPECT_TRUE(SameTo(number(s, r.cell).value_or(-1), r.value, 5)) << r.cell;
    EXPECT_EQ(text(s, "D9"), "无统计意义");
    EXPECT_EQ(text(s, "D10"), "有统计意义");
    EXPECT_EQ(text(s, "E10"), "R组<T组");
    EXPECT_EQ(text(s, "D11"), "无统计意义");
    EXPECT_EQ(text(s, "E11"), "");
    EXPECT_EQ(text(s, "E9"), "");

    // Three rules, the header and values centred, nothing after row 11.
    EXPECT_EQ(s.format(Cell("E4")).bottomBorder, BorderWeight::Medium);
    EXPECT_EQ(s.format(Cell("A5")).bottomBorder, BorderWeight::Thin);
    EXPECT_EQ(s.format(Cell("C11")).bottomBorder, BorderWeight::Medium);
    EXPECT_EQ(s.format(Cell("F11")).bottomBorder, BorderWeight::None);
    EXPECT_EQ(s.format(Cell("A10")).bottomBorder, BorderWeight::None);
    EXPECT_EQ(s.format(Cell("B5")).horizontal, HAlign::Center);
    EXPECT_EQ(s.format(Cell("E11")).horizontal, HAlign::Center);
    EXPECT_EQ(s.usedExtent().row, 11);
    EXPECT_EQ(s.selectedCell(), Cell("D11"));
}

TEST_F(RatesReport, AllItemsPlaceEverySectionByTheRowCounter) {
    const Sheet& s = run(RatesOptions::All());
    const char* optionalLabels[] = {"Mantel-Haenszel卡方(χ2)", "t检验(t)", "U检验(U)",
                                    "U'(校正)检验(U')", "对数似然比检验(G)"};
    const double statistics[] = {4.06667, 2.02486, 2.03306, 1.77893, 4.18074};
    const double ps[] = {0.04374, 0.04726, 0.04207, 0.07528, 0.04089};
    for (int i = 0; i < 5; ++i) {
        const int row = 12 + i;
        EXPECT_EQ(PlainText(s.value({row, 1})), optionalLabels[i]) << row;
        EXPECT_TRUE(SameTo(std::get<double>(s.value({row, 2})), statistics[i], 5)) << row;
        EXPECT_TRUE(SameTo(std::get<double>(s.value({row, 3})), ps[i], 5)) << row;
        EXPECT_EQ(s.format({row, 3}).horizontal, HAlign::Center) << row;
    }
    EXPECT_EQ(superscripts(s, "A12"), "2");
    EXPECT_EQ(text(s, "D15"), "无统计意义");  // U' P = 0.07528
    EXPECT_EQ(text(s, "D16"), "有统计意义");
    EXPECT_EQ(text(s, "E16"), "R组<T组");
    EXPECT_EQ(s.format(Cell("A16")).bottomBorder, BorderWeight::Medium);
    EXPECT_EQ(s.format(Cell("A11")).bottomBorder, BorderWeight::None);
    EXPECT_EQ(s.selectedCell(), Cell("D16"));

    // Sample size from row 18.
    EXPECT_EQ(text(s, "A18"), "例数估算");
    EXPECT_EQ(text(s, "A19"), "把握度(1-β)");
    EXPECT_EQ(text(s, "B19"), "达P≤0.05所需例数");
    EXPECT_EQ(s.format(Cell("B19")).horizontal, HAlign::CenterAcrossSelection);
    EXPECT_NE(std::find(s.merges().begin(), s.merges().end(), Range("A19:A20")), s.merges().end());
    EXPECT_EQ(text(s, "B20"), "双侧");
    EXPECT_EQ(text(s, "C20"), "单侧");
    const char* sizeRows[][3] = {{"70%", "N1=N2= 45", "N1=N2= 34"},
                                 {"80%", "N1=N2= 57", "N1=N2= 45"},
                                 {"90%", "N1=N2= 77", "N1=N2= 63"},
                                 {"95%", "N1=N2= 95", "N1=N2= 79"}};
    for (int i = 0; i < 4; ++i)
        for (int column = 1; column <= 3; ++column)
            EXPECT_EQ(PlainText(s.value({21 + i, column})), sizeRows[i][column - 1]);
    EXPECT_EQ(s.format(Cell("C18")).bottomBorder, BorderWeight::Medium);
    EXPECT_EQ(s.format(Cell("D18")).bottomBorder, BorderWeight::None);
    EXPECT_EQ(s.format(Cell("A19")).bottomBorder, BorderWeight::None);
    EXPECT_EQ(s.format(Cell("B19")).bottomBorder, BorderWeight::Thin);
    EXPECT_EQ(s.format(Cell("A20")).bottomBorder, BorderWeight::Thin);
    EXPECT_EQ(s.format(Cell("C24")).bottomBorder, BorderWeight::Medium);

    // Rates from row 26.
    EXPECT_EQ(text(s, "A26"), "阳性率及可信限");
    EXPECT_EQ(text(s, "B27"), "R组");
    EXPECT_EQ(text(s, "D27"), "T组");
    EXPECT_EQ(text(s, "A28"), "阳性率");
    EXPECT_EQ(number(s, "B28"), 0.375);
    EXPECT_TRUE(SameTo(number(s, "D28").value_or(-1), 0.63333, 5));
    EXPECT_EQ(text(s, "A29"), "95%可信限");
    EXPECT_EQ(text(s, "B29"), "21.664～56.251%");
    EXPECT_EQ(text(s, "D29"), "43.908～79.458%");
    EXPECT_EQ(s.format(Cell("E29")).horizontal, HAlign::CenterAcrossSelection);
    EXPECT_EQ(s.format(Cell("B28")).vertical, VAlign::Center);
    EXPECT_EQ(s.format(Cell("E26")).bottomBorder, BorderWeight::Medium);
    EXPECT_EQ(s.format(Cell("E27")).bottomBorder, BorderWeight::Thin);
    EXPECT_EQ(s.format(Cell("E29")).bottomBorder, BorderWeight::Medium);

    // Odds from row 31.
    EXPECT_EQ(text(s, "A31"), "比数与比数比");
    EXPECT_EQ(text(s, "A32"), "R组比数Odd");
    EXPECT_EQ(text(s, "D32"), "相对危险度RR(T/R)");
    EXPECT_TRUE(SameTo(number(s, "A33").value_or(-1), 0.6, 5));
    EXPECT_TRUE(SameTo(number(s, "B33").value_or(-1), 1.72727, 5));
    EXPECT_TRUE(SameTo(number(s, "C33").value_or(-1), 2.87879, 5));
    EXPECT_TRUE(SameTo(number(s, "D33").value_or(-1), 1.68889, 5));
    EXPECT_EQ(s.format(Cell("D33")).bottomBorder, BorderWeight::Medium);
    EXPECT_EQ(s.format(Cell("E33")).bottomBorder, BorderWeight::None);

    // Equivalence from row 35 to row 48.
    EXPECT_EQ(text(s, "A35"), "等效性检验");
    EXPECT_EQ(text(s, "B36"), "单侧t值");
    EXPECT_EQ(text(s, "A37"), "    ±5%    (高侧)");
    EXPECT_EQ(text(s, "A38"), "            (低侧)");
    EXPECT_EQ(text(s, "A47"), "   ±30%    (高侧)");
    EXPECT_TRUE(SameTo(number(s, "B37").value_or(0), -1.63956, 5));
    EXPECT_EQ(text(s, "C37"), "—");
    EXPECT_EQ(text(s, "D37"), "等效不合格");
    EXPECT_TRUE(SameTo(number(s, "B38").value_or(0), 2.42656, 5));
    EXPECT_TRUE(SameTo(number(s, "C38").value_or(0), 0.00913, 5));
    EXPECT_EQ(text(s, "D38"), "等效合格");
    EXPECT_TRUE(SameTo(number(s, "C47").value_or(0), 0.37206, 5));
    EXPECT_EQ(text(s, "D47"), "等效不合格");
    EXPECT_EQ(s.format(Cell("A48")).horizontal, HAlign::Center);
    EXPECT_EQ(s.format(Cell("D48")).bottomBorder, BorderWeight::Medium);
    EXPECT_EQ(s.usedExtent().row, 48);
}

TEST_F(RatesReport, SectionsFollowTheCounterWhenOthersAreAbsent) {
    struct Case {
        std::vector<int> items;
        std::vector<std::pair<int, const char*>> captions;
        int lastRow;
    };
    const Case cases[] = {
        {{10}, {{14, "阳性率及可信限"}}, 17},
        {{9}, {{13, "例数估算"}}, 19},
        {{11, 12}, {{14, "比数与比数比"}, {18, "等效性检验"}}, 31},
        {{5, 9, 12}, {{12, "t检验(t)"}, {14, "例数估算"}, {22, "等效性检验"}}, 35},
    };
    for (const auto& c : cases) {
        RatesOptions options;
        for (int item : c.items) options.setItem(item, true);
        const Sheet& s = run(options);
        for (const auto& [row, caption] : c.captions)
            EXPECT_EQ(PlainText(s.value({row, 1})), caption) << row;
        EXPECT_EQ(s.usedExtent().row, c.lastRow);
    }
}

TEST_F(RatesReport, TitleFollowsTheWindowCaption) {
    RatesOptions options;
    for (const auto& [command, title] :
         {std::pair{RatesMenuCommand::RateAna, "智能化两组阳性率分析(2×2卡方法)计算结果"},
          std::pair{RatesMenuCommand::OddAna, "智能化两组阳性率分析(2×2卡方法)计算结果"},
          std::pair{RatesMenuCommand::EnRateAna, "阳性率分析(2×2卡方法)计算结果"},
          std::pair{RatesMenuCommand::RateComp, "阳性率分析(2×2卡方法)计算结果"}}) {
        options.captionCommand = command;
        EXPECT_EQ(text(run(options), "A2"), title);
    }
}

TEST_F(RatesReport, AboveTwoHundredFisherIsDashedAndBothAdvisoriesShowInOrder) {
    setCounts(2, 99, 50, 50);
    const Sheet& s = run(RatesOptions{});
    for (const char* cell : {"C7", "C8", "C9"}) EXPECT_EQ(text(s, cell), "---") << cell;
    EXPECT_EQ(text(s, "D9"), "");
    EXPECT_TRUE(number(s, "C10"));
    const auto dialogs = prompter.dialogs();
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[0].text, "本例总例数N大于200,建议采用Yates连续校正卡方");
    EXPECT_EQ(dialogs[0].title, "提示");
    EXPECT_EQ(dialogs[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(dialogs[1].text, "本例推荐选用Fisher精确概率法(双侧检验)计算");
    EXPECT_EQ(dialogs[1].title, "提示！");
    EXPECT_EQ(dialogs[1].icon, MessageIcon::None);
    EXPECT_EQ(prompter.statusText(), "就绪");
}

TEST_F(RatesReport, EmptyStatisticsLeaveTheirPAndConclusionEmpty) {
    setCounts(0, 10, 0, 10);  // no positives at all
    const Sheet& s = run(RatesOptions::All());
    for (int row : {10, 11, 12, 13, 14, 15, 16})
        for (int column = 2; column <= 5; ++column)
            EXPECT_TRUE(std::holds_alternative<std::monostate>(s.value({row, column})))
                << row << "," << column;
    // The exact test still answers: one table, probability 1.
    EXPECT_EQ(number(s, "C9"), 1.0);
    EXPECT_EQ(text(s, "D9"), "无统计意义");
    // Undefined odds ratio and relative risk stay empty; equal rates need no sizes.
    EXPECT_EQ(number(s, "A33"), 0.0);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(s.value("C33")));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(s.value("D33")));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(s.value("B21")));
    // No pooled error: equivalence rows have no t, no P and no verdict.
    EXPECT_TRUE(std::holds_alternative<std::monostate>(s.value("B37")));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(s.value("C37")));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(s.value("D37")));
}

TEST_F(RatesReport, InfiniteRatios) {
    setCounts(0, 10, 5, 5);
    const Sheet& s = run(RatesOptions::All());
    EXPECT_EQ(number(s, "A33"), 0.0);
    EXPECT_EQ(text(s, "C33"), "∞");
    EXPECT_EQ(text(s, "D33"), "∞");
}

TEST_F(RatesReport, ADifferenceBelowTheContinuityCorrectionIsNotSignificant) {
    // R 0/2 and T 1/34: R's chisq.test and prop.test give P = 1 (see
    // data/rates_reference.csv), fisher.test two-sided 1 as well.
    setCounts(0, 2, 1, 33);
    const Sheet& s = run(RatesOptions::All());
    ASSERT_EQ(text(s, "A11"), "Yates连续校正卡方(χ2)");
    ASSERT_EQ(text(s, "A15"), "U'(校正)检验(U')");
    const char* rows[][3] = {{"B11", "C11", "D11"}, {"B15", "C15", "D15"}};
    for (const auto& [statistic, p, conclusion] : rows) {
        EXPECT_EQ(number(s, statistic), 0.0) << statistic;
        EXPECT_EQ(number(s, p), 1.0) << p;
        EXPECT_EQ(text(s, conclusion), "无统计意义") << conclusion;
    }
}

TEST(StatConclusionWording, ThresholdsAndNonNumbers) {
    struct Case {
        std::optional<double> p;
        const char* text;
    };
    const Case cases[] = {{0.0500001, "无统计意义"}, {0.05, "有统计意义"},
                          {0.0100001, "有统计意义"}, {0.01, "有高度统计意义"},
                          {0.0, "有高度统计意义"},  {std::nullopt, ""}};
    for (const auto& c : cases) {
        Sheet sheet;
        StatConclusion(sheet, Cell("D9"), c.p);
        EXPECT_EQ(PlainText(sheet.value("D9")), c.text) << c.p.value_or(-1);
        EXPECT_EQ(sheet.selectedCell(), Cell("D9"));
    }
    EXPECT_EQ(DirectionText(0.05, 0.6, 0.3), "R组>T组");
    EXPECT_EQ(DirectionText(0.01, 0.3, 0.6), "R组<T组");
    EXPECT_EQ(DirectionText(0.0500001, 0.3, 0.6), "");
    EXPECT_EQ(DirectionText(0.001, 0.5, 0.5), "");
    EXPECT_EQ(DirectionText(std::nullopt, 0.3, 0.6), "");
}

}  // namespace
}  // namespace tavelmark::rates
