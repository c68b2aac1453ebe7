#include "analyses/bliss/bliss_extended_chart.h"

#include <cmath>
#include <vector>

#include "numeric/log10.h"
#include "report/extended_chart.h"

namespace tavelmark::bliss {

using model::ChartSeries, model::MarkerStyle, model::SeriesKind;
using report::ChartDataColumn;

namespace {

constexpr int kBlack = 1, kRed = 3, kBlue = 5;

enum DataColumn { kObservedDose = 1, kObservedRate, kCurveDose, kFitted, kLower, kUpper };

ChartSeries Line(const report::ChartDataPlace& data, const std::string& sheet, int column, int count,
                 int colour, bool dashed) {
    ChartSeries s;
    s.sheetName = sheet;
    s.xValues = data.values(kCurveDose, count);
    s.yValues = data.values(column, count);
    s.kind = SeriesKind::ScatterLinesNoMarkers;
    s.lineColourIndex = colour;
    s.markerStyle = MarkerStyle::None;
    s.dashedLine = dashed;
    return s;
}

}  // namespace

void AddDoseResponseChart(model::Sheet& sheet, int row, const BlissExtended& results) {
    std::vector<ChartDataColumn> columns = report::ChartDataColumns(
        {"对数剂量(各组)", "观察阳性率", "对数剂量(曲线)", "拟合阳性率", "95%下限", "95%上限"});
    for (const ObservedRate& o : results.observed) {
        columns[kObservedDose - 1].values.emplace_back(numeric::Log10(o.dose));
        columns[kObservedRate - 1].values.emplace_back(o.rate);
    }
    for (const ProbitBandPoint& p : results.band) {
        columns[kCurveDose - 1].values.emplace_back(numeric::Log10(p.dose));
        columns[kFitted - 1].values.emplace_back(p.fitted);
        columns[kLower - 1].values.emplace_back(p.lower);
        columns[kUpper - 1].values.emplace_back(p.upper);
    }

    model::Chart chart = report::ExtendedChart("剂量-反应曲线", "剂量-反应曲线 (probit拟合及95%置信带)");
    chart.xAxis.title = "对数剂量 log10(D)";
    chart.xAxis.tickNumberFormat = "0.00";
    report::RateAxis(chart.yAxis);
    chart.top = report::ExtendedRowTop(sheet, row);
    const report::ChartDataPlace data =
        report::WriteChartData(sheet, report::RowBelowChart(sheet, row, chart.height), "剂量-反应曲线作图数据", columns);

    const int bandCount = static_cast<int>(results.band.size());
    if (bandCount > 0) {
        chart.series.push_back(Line(data, sheet.name(), kLower, bandCount, kBlue, true));
        chart.series.push_back(Line(data, sheet.name(), kUpper, bandCount, kBlue, true));
        chart.series.push_back(Line(data, sheet.name(), kFitted, bandCount, kRed, false));
    }
    ChartSeries observed;
    observed.sheetName = sheet.name();
    const int groups = static_cast<int>(results.observed.size());
    observed.xValues = data.values(kObservedDose, groups);
    observed.yValues = data.values(kObservedRate, groups);
    observed.kind = SeriesKind::Scatter;
    observed.markerStyle = MarkerStyle::Circle;
    observed.markerSize = 6;
    observed.lineColourIndex = kBlack;
    observed.markerBackgroundColourIndex = kBlack;
    chart.series.push_back(observed);
    sheet.addChart(chart);
}

}  // namespace tavelmark::bliss
