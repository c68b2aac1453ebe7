#include "analyses/rates/rates_report.h"

#include <cmath>
#include <optional>
#include <string>

#include "analyses/rates/conclusions.h"
#include "analyses/rates/equivalence.h"
#include "numeric/worksheet_functions.h"
#include "report/report_frame.h"

namespace tavelmark::rates {

using model::BorderWeight, model::Cell, model::HAlign, model::Range, model::RangeRef,
    model::ReadingOrder, model::ReportValue, model::Sheet, model::VAlign;
using report::DrawTableRules;

namespace {

constexpr int kA = 1, kB = 2, kC = 3, kD = 4, kE = 5;

RangeRef Span(int row, int firstColumn, int lastColumn) {
    return {{row, firstColumn}, {row, lastColumn}};
}
RangeRef Block(int firstRow, int firstColumn, int lastRow, int lastColumn) {
    return {{firstRow, firstColumn}, {lastRow, lastColumn}};
}

// A number as it is, an infinite odds or ratio as "∞", nothing as an empty cell.
ReportValue NumberCell(std::optional<double> v) {
    if (!v) return std::monostate{};
    if (std::isinf(*v)) return std::string(kInfiniteRatio);
    return *v;
}

void Text(Sheet& sheet, int row, int column, const std::string& text) {
    if (!text.empty()) sheet.setValue({row, column}, text);
}

// One row of the test table. An empty statistic leaves its P value, its
// conclusion and its direction empty too: there is nothing to test.
struct TestRow {
    const char* label;
    int superscriptAt = -1;  // 0-based character of the "2" in "χ2"
    std::optional<double> statistic;
    std::optional<double> p;
};

void WriteTestRow(Sheet& sheet, int row, const TestRow& test, const RateEstimates& rates) {
    sheet.setValue({row, kA}, std::string(test.label));
    if (test.superscriptAt >= 0) sheet.setSuperscript({row, kA}, test.superscriptAt, 1);
    sheet.setValue({row, kB}, NumberCell(test.statistic));
    const auto p = test.statistic ? test.p : std::nullopt;
    sheet.setValue({row, kC}, NumberCell(p));
    StatConclusion(sheet, {row, kD}, p);
    Text(sheet, row, kE, DirectionText(p, rates.p1, rates.p2));
}

ReportValue FisherCell(const FisherProbabilities& fisher, std::optional<double> value) {
    if (fisher.tooLarge) return std::string(kFisherNotComputed);
    return NumberCell(value);
}

void WriteFixedTestTable(Sheet& sheet, const RatesResults& r) {
    sheet.setValue("A4", std::string("计算结果"));
    const char* headers[] = {"统计方法", "统计量", "P值", "统计结论", "专业结论"};
    for (int column = kA; column <= kE; ++column)
        sheet.setValue({5, column}, std::string(headers[column - 1]));
    sheet.setValue("A6", std::string("Fisher精确概率"));
    sheet.setValue("A7", std::string("      (本侧)"));
    sheet.setValue("A8", std::string("      (对侧)"));
    sheet.setValue("A9", std::string("      (双侧)"));
    sheet.setValue("C7", FisherCell(r.fisher, r.fisher.oneSided));
    sheet.setValue("C8", FisherCell(r.fisher, r.fisher.oppositeSide));
    sheet.setValue("C9", FisherCell(r.fisher, r.fisher.twoSided));
    StatConclusion(sheet, Cell("D9"), r.fisher.tooLarge ? std::nullopt : r.fisher.twoSided);

    const auto& chi = r.chiSquares;
    WriteTestRow(sheet, 10, {"Pearson卡方(χ2)", 11, chi.pearson, r.p.pearson}, r.estimates);
    WriteTestRow(sheet, 11, {"Yates连续校正卡方(χ2)", 13, chi.yates, r.p.yates}, r.estimates);
    sheet.setHorizontalAlignment(Range("B5:E11"), HAlign::Center);
}

// The optional test rows from row 12 on; returns the row after the last one.
int WriteOptionalTestRows(Sheet& sheet, const RatesResults& r, const RatesOptions& options) {
    const auto& chi = r.chiSquares;
    const auto& pooled = r.pooled;
    const TestRow rows[] = {
        {"Mantel-Haenszel卡方(χ2)", 19, chi.mantelHaenszel, r.p.mantelHaenszel},
        {"t检验(t)", -1, pooled.t, r.p.t},
        {"U检验(U)", -1, pooled.u, r.p.u},
        {"U'(校正)检验(U')", -1, pooled.uPrime, r.p.uPrime},
        {"对数似然比检验(G)", -1, chi.likelihoodRatio, r.p.likelihoodRatio},
    };
    const bool chosen[] = {options.mantelHaenszel, options.tTest, options.uTest,
                           options.uPrimeTest, options.likelihoodRatio};
    int counter = 12;
    for (int i = 0; i < 5; ++i) {
        if (!chosen[i]) continue;
        WriteTestRow(sheet, counter, rows[i], r.estimates);
        ++counter;
    }
    return counter;
}

void CloseTestTable(Sheet& sheet, int counter) {
    const int lastTestRow = counter - 1;
    DrawTableRules(sheet, 4, lastTestRow, kA, kE);
    if (lastTestRow >= 12)
        sheet.setHorizontalAlignment(Block(12, kB, lastTestRow, kE), HAlign::Center);
    // The conclusion of the last test row is the cell the user is handed.
    sheet.select({lastTestRow, kD});
}

int WriteSampleSizeSection(Sheet& sheet, int counter, const std::array<SampleSize, 4>& sizes) {
    const int r = counter + 1;
    sheet.setValue({r, kA}, std::string("例数估算"));
    sheet.setValue({r + 1, kA}, std::string("把握度(1-β)"));
    sheet.merge(Block(r + 1, kA, r + 2, kA));
    sheet.setHorizontalAlignment(Block(r + 1, kA, r + 2, kA), HAlign::Center);
    sheet.setVerticalAlignment(Block(r + 1, kA, r + 2, kA), VAlign::Center);
    sheet.setValue({r + 1, kB}, std::string("达P≤0.05所需例数"));
    sheet.setHorizontalAlignment(Span(r + 1, kB, kC), HAlign::CenterAcrossSelection);
    sheet.setValue({r + 2, kB}, std::string("双侧"));
    sheet.setValue({r + 2, kC}, std::string("单侧"));

    const char* powerLabels[] = {"70%", "80%", "90%", "95%"};
    for (int i = 0; i < 4; ++i) {
        const int row = r + 3 + i;
        sheet.setValue({row, kA}, std::string(powerLabels[i]));
        if (sizes[i].twoSided) sheet.setValue({row, kB}, SampleSizeText(*sizes[i].twoSided));
        if (sizes[i].oneSided) sheet.setValue({row, kC}, SampleSizeText(*sizes[i].oneSided));
    }

    sheet.setBottomBorder(Span(r, kA, kC), BorderWeight::Medium);
    sheet.setBottomBorder(Span(r + 1, kB, kC), BorderWeight::Thin);
    sheet.setBottomBorder(Span(r + 2, kA, kC), BorderWeight::Thin);
    sheet.setBottomBorder(Span(r + 6, kA, kC), BorderWeight::Medium);
    sheet.setHorizontalAlignment(Block(r + 3, kA, r + 6, kA), HAlign::Center);
    sheet.setHorizontalAlignment(Block(r + 2, kB, r + 6, kC), HAlign::Center);
    return r + 6;
}

int WriteRatesSection(Sheet& sheet, int counter, const RateEstimates& e) {
    const int r = counter + 2;
    sheet.setValue({r, kA}, std::string("阳性率及可信限"));
    sheet.setValue({r + 1, kB}, std::string("R组"));
    sheet.setValue({r + 1, kD}, std::string("T组"));
    sheet.setValue({r + 2, kA}, std::string("阳性率"));
    sheet.setValue({r + 2, kB}, NumberCell(e.p1));
    sheet.setValue({r + 2, kD}, NumberCell(e.p2));
    sheet.setValue({r + 3, kA}, std::string("95%可信限"));
    if (e.limitsR) sheet.setValue({r + 3, kB}, LimitsText(*e.limitsR));
    if (e.limitsT) sheet.setValue({r + 3, kD}, LimitsText(*e.limitsT));

    DrawTableRules(sheet, r, r + 3, kA, kE);
    // Each group's entries centred over its own two columns (B:C and D:E).
    const RangeRef values = Block(r + 1, kB, r + 3, kE);
    sheet.setHorizontalAlignment(values, HAlign::CenterAcrossSelection);
    sheet.setVerticalAlignment(values, VAlign::Center);
    sheet.setReadingOrder(values, ReadingOrder::Context);
    sheet.setHorizontalAlignment(Block(r + 2, kA, r + 3, kA), HAlign::Center);
    return r + 3;
}

int WriteOddsSection(Sheet& sheet, int counter, const RateEstimates& e) {
    const int r = counter + 2;
    sheet.setValue({r, kA}, std::string("比数与比数比"));
    const char* headers[] = {"R组比数Odd", "T组比数Odd", "比数比OR(T/R)", "相对危险度RR(T/R)"};
    const std::optional<double> values[] = {e.oddR, e.oddT, e.oddsRatio, e.relativeRisk};
    for (int column = kA; column <= kD; ++column) {
        sheet.setValue({r + 1, column}, std::string(headers[column - 1]));
        sheet.setValue({r + 2, column}, NumberCell(values[column - 1]));
    }
    DrawTableRules(sheet, r, r + 2, kA, kD);
    sheet.setHorizontalAlignment(Block(r + 1, kA, r + 2, kD), HAlign::Center);
    return r + 2;
}

void WriteEquivalenceSide(Sheet& sheet, int row, const char* label, const EquivalenceSide& side) {
    sheet.setValue({row, kA}, std::string(label));
    sheet.setValue({row, kB}, NumberCell(side.t));
    switch (side.pCell) {
        case EquivalenceSide::PCell::Number: sheet.setValue({row, kC}, *side.p); break;
        case EquivalenceSide::PCell::Dash: sheet.setValue({row, kC}, std::string(kNoPDash)); break;
        case EquivalenceSide::PCell::Empty: break;
    }
    Text(sheet, row, kD, side.conclusion);
}

int WriteEquivalenceSection(Sheet& sheet, int counter, const std::array<EquivalenceMargin, 6>& margins) {
    const int r = counter + 2;
    sheet.setValue({r, kA}, std::string("等效性检验"));
    const char* headers[] = {"等效标准", "单侧t值", "P值", "结论"};
    for (int column = kA; column <= kD; ++column)
        sheet.setValue({r + 1, column}, std::string(headers[column - 1]));
    DrawTableRules(sheet, r, r + 13, kA, kD);
    sheet.setHorizontalAlignment(Block(r + 1, kA, r + 13, kD), HAlign::Center);

    const char* upperLabels[] = {"    ±5%    (高侧)", "   ±10%    (高侧)", "   ±15%    (高侧)",
                                 "   ±20%    (高侧)", "   ±25%    (高侧)", "   ±30%    (高侧)"};
    for (int k = 1; k <= 6; ++k) {
        WriteEquivalenceSide(sheet, r + 2 * k, upperLabels[k - 1], margins[k - 1].upper);
        WriteEquivalenceSide(sheet, r + 2 * k + 1, "            (低侧)", margins[k - 1].lower);
    }
    return r + 13;
}

}  // namespace

int WriteRatesReport(Sheet& sheet, const RatesResults& results, const RatesOptions& options) {
    WriteFixedTestTable(sheet, results);
    int counter = WriteOptionalTestRows(sheet, results, options);
    CloseTestTable(sheet, counter);
    int lastRow = counter - 1;
    if (options.sampleSize) lastRow = counter = WriteSampleSizeSection(sheet, counter, results.sampleSizes);
    if (options.rates) lastRow = counter = WriteRatesSection(sheet, counter, results.estimates);
    if (options.odds) lastRow = counter = WriteOddsSection(sheet, counter, results.estimates);
    if (options.equivalence)
        lastRow = counter = WriteEquivalenceSection(sheet, counter, results.equivalence);
    return lastRow;
}

}  // namespace tavelmark::rates
