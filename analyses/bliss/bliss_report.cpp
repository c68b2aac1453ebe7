#include "analyses/bliss/bliss_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "format/number_text.h"
#include "report/report_frame.h"

namespace tavelmark::bliss {

using format::R2, format::R4, format::SpacedText;
using model::CellRef, model::Chart, model::ChartSeries, model::HAlign, model::MarkerStyle,
    model::Range, model::RangeRef, model::ReadingOrder, model::ReportValue, model::SeriesKind,
    model::Sheet, model::VAlign;
using report::DrawTableRules;

namespace {

constexpr const char* kFourDecimals = "0.0000_ ";
constexpr const char* kSixDecimals = "0.000000_ ";

void Put(Sheet& sheet, int row, int column, ReportValue v) {
    sheet.setValue(CellRef{row, column}, std::move(v));
}
void PutIfAny(Sheet& sheet, int row, int column, std::optional<double> v) {
    if (v) sheet.setValue(CellRef{row, column}, *v);
}
RangeRef Block(int firstRow, int firstColumn, int lastRow, int lastColumn) {
    return {{firstRow, firstColumn}, {lastRow, lastColumn}};
}

// "0" for 0, ".5" for 0.5: the S form without its leading space.
std::string BackgroundPercentText(double c) {
    std::string text = SignificantText(100 * c);
    if (text.rfind("0.", 0) == 0) text.erase(0, 1);
    return text;
}

void WriteMainTable(Sheet& sheet, const BlissFit& fit, double c) {
    sheet.setValue("A4", std::string("计算结果"));
    sheet.setValue("B4", "(本底死亡率为:" + BackgroundPercentText(c) + "%)");
    sheet.setValue("A5", std::string("项目"));
    sheet.setValue("C5", std::string("数据"));
    const char* labels[] = {"LD50", "LD50的平均可信限(ML95)", "LD50的95%可信限(L95)",
                            "LD50的平均可信限率(L95%)", "斜率(b)", "Sb", "X50", "Sx50",
                            "回归方程:Y(几率单位)＝"};
    const ReportValue values[] = {fit.LD50,
                                  fit.limits.ml95,
                                  R4(fit.limits.lower) + "～" + R4(fit.limits.upper),
                                  fit.limits.l95Percent,
                                  fit.b,
                                  fit.Sb,
                                  fit.X50,
                                  fit.Sx50,
                                  fit.equation};
    for (int i = 0; i < 9; ++i) {
        Put(sheet, 6 + i, 1, std::string(labels[i]));
        Put(sheet, 6 + i, 3, values[i]);
    }
    for (const RangeRef& r : {Range("A5:B14"), Range("C5:D13")}) {
        sheet.setHorizontalAlignment(r, HAlign::CenterAcrossSelection);
        sheet.setVerticalAlignment(r, VAlign::Center);
        sheet.setReadingOrder(r, ReadingOrder::Context);
    }
    sheet.setNumberFormat(Range("C6:C14"), kFourDecimals);
    DrawTableRules(sheet, 4, 14, 1, 4);
}

// Rows R to R + 13 whatever the number of groups (at most twelve).
void WriteIntermediateTable(Sheet& sheet, const BlissFit& fit, int R) {
    Put(sheet, R, 1, std::string("中间结果"));
    Put(sheet, R, 8, "第 " + std::to_string(fit.iterations) + " 轮");
    const char* headers[] = {"对数剂量(X)", "阳性率(P)", "实验几率单位(Ye)", "预期几率单位(Y)",
                             "作业几率单位(Yj)", "权重(Wt)", "回归几率单位(Yr)", "误差(=Yr-Y)"};
    for (int j = 0; j < 8; ++j) Put(sheet, R + 1, j + 1, std::string(headers[j]));
    int row = R + 2;
    for (const BlissGroupFit& g : fit.groups) {
        const ReportValue cells[] = {g.x, SignificantText(100 * g.P) + "%", g.Ye, g.Y, g.y, g.W, g.Yr, g.e};
        for (int j = 0; j < 8; ++j) Put(sheet, row, j + 1, cells[j]);
        ++row;
    }
    DrawTableRules(sheet, R, R + 13, 1, 8);
    sheet.setHorizontalAlignment(Block(R + 1, 1, R + 13, 8), HAlign::Center);
    sheet.setNumberFormat(Block(R + 1, 1, R + 13, 1), kFourDecimals);
    sheet.setNumberFormat(Block(R + 1, 3, R + 13, 7), kSixDecimals);
}

// The layout shared by the Fieller and the heterogeneity tables. Values that
// cannot be formed (no Fieller interval for g >= 1) leave their cells empty.
void WriteCorrectedTable(Sheet& sheet, int R, const char* caption, const BlissFit& fit,
                         const std::optional<BlissLimits>& limits, std::optional<double> Sb,
                         const std::string& note) {
    Put(sheet, R, 1, std::string(caption));
    const char* headers[] = {"LD50", "ML95", "L95", "L95%", "b", "Sb", "X50", "Sx50"};
    for (int j = 0; j < 8; ++j) Put(sheet, R + 1, j + 1, std::string(headers[j]));
    const int row = R + 2;
    Put(sheet, row, 1, fit.LD50);
    if (limits) {
        Put(sheet, row, 2, limits->ml95);
        Put(sheet, row, 3, R2(limits->lower) + "～" + R2(limits->upper));
        Put(sheet, row, 4, limits->l95Percent);
        Put(sheet, row, 8, limits->sx50);
    }
    Put(sheet, row, 5, fit.b);
    PutIfAny(sheet, row, 6, Sb);
    Put(sheet, row, 7, fit.X50);
    Put(sheet, R + 3, 1, note);
    DrawTableRules(sheet, R, R + 2, 1, 8);
    sheet.setHorizontalAlignment(Block(R + 1, 1, R + 2, 8), HAlign::Center);
    sheet.setNumberFormat(Block(R + 2, 1, R + 2, 8), kSixDecimals);
}

std::string FiellerNote(double g) {
    const bool ignorable = g <= 0.1;
    return "注:g值＝" + SpacedText(g, 4) + (ignorable ? "  g≤0.1,可忽略" : "  g>0.1,不可忽略") +
           (ignorable ? "  不必作Feiller校正" : "  应作Feiller校正");
}

std::string HeterogeneityNote(const BlissFit& fit) {
    std::string note = "注:χ2值＝" + SpacedText(fit.chi2, 4) + "  P值=";
    if (fit.Pchi) note += SpacedText(*fit.Pchi, 6);
    const bool homogeneous = fit.Pchi && *fit.Pchi > 0.05;
    return note + (homogeneous ? "  不必作异质性校正" : "  应作异质性校正");
}

}  // namespace

std::string SignificantText(double v, int digits) {
    if (!std::isfinite(v)) return "";
    if (v == 0) return "0";
    // Round to the significant digits first, then print without an exponent.
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, v);
    const double rounded = std::strtod(buffer, nullptr);
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(rounded))));
    const int decimals = std::clamp(digits - 1 - exponent, 0, 340);
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, rounded);
    std::string text(buffer);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') text.pop_back();
    }
    return text;
}

Chart BlissChart(int groupCount) {
    const int lastRow = 17 + groupCount;
    const RangeRef x{{18, 1}, {lastRow, 1}};
    Chart chart;
    chart.name = "图表 1";
    chart.title = "Yr-X";
    chart.titleFontSize = 24;
    chart.legend = false;
    chart.plotAreaBorder = false;
    chart.plotAreaFill = false;
    chart.xAxis = {"对数剂量(X)", "0.00_ ", false};
    chart.yAxis = {"回归几率单位(Yr)", "0.00_ ", false};
    ChartSeries empirical;
    empirical.xValues = x;
    empirical.yValues = {{18, 3}, {lastRow, 3}};
    empirical.kind = SeriesKind::Scatter;
    empirical.markerBackgroundColourIndex = 2;  // white
    empirical.markerSize = 4;
    empirical.markerStyle = MarkerStyle::Circle;
    ChartSeries fitted;
    fitted.xValues = x;
    fitted.yValues = {{18, 7}, {lastRow, 7}};
    fitted.kind = SeriesKind::ScatterLinesNoMarkers;
    fitted.lineColourIndex = 3;  // red
    fitted.markerStyle = MarkerStyle::None;
    chart.series = {empirical, fitted};
    chart.left = 330;
    chart.top = 50;
    chart.width = 200;
    chart.height = 150;
    return chart;
}

void WriteBlissReport(Sheet& sheet, const BlissFit& fit, double c, const BlissOptions& options) {
    WriteMainTable(sheet, fit, c);
    int R = kBlissFirstOptionalRow;
    if (options.showIntermediate) {
        WriteIntermediateTable(sheet, fit, R);
        R += 15;
    }
    if (options.showFieller) {
        WriteCorrectedTable(sheet, R, "Feiller氏Sx50校正", fit, fit.fieller, fit.Sb, FiellerNote(fit.g));
        R += 5;
    }
    if (options.showHeterogeneity)
        WriteCorrectedTable(sheet, R, "异质性的全面校正", fit, fit.heterogeneity, fit.SbH,
                            HeterogeneityNote(fit));
    // The chart's data are the cells of the intermediate table.
    if (options.drawChart && options.showIntermediate)
        sheet.addChart(BlissChart(static_cast<int>(fit.groups.size())));
    sheet.select(CellRef{1, 1});
}

}  // namespace tavelmark::bliss
