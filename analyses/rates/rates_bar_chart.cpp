#include "analyses/rates/rates_bar_chart.h"

#include <string>
#include <vector>

#include "report/extended_chart.h"

namespace tavelmark::rates {

using model::ReportValue;
using report::ChartDataColumn;

namespace {

enum DataColumn { kGroup = 1, kRate, kLower, kUpper, kPlus, kMinus };
constexpr int kBarColour = 37;  // a light blue of the palette

}  // namespace

void AddRatesBarChart(model::Sheet& sheet, int row, const ExtendedRates& results) {
    std::vector<ChartDataColumn> columns = report::ChartDataColumns(
        {"组别", "阳性率", "95%下限", "95%上限", "上误差 (上限−率)", "下误差 (率−下限)"});
    const std::pair<const char*, const std::optional<RateWithLimits>*> groups[] = {
        {"R组", &results.rateR}, {"T组", &results.rateT}};
    for (const auto& [name, rate] : groups) {
        columns[kGroup - 1].values.push_back(ReportValue{std::string(name)});
        // An empty group has no rate: its bar and limits are left out.
        const bool known = rate->has_value();
        const auto value = [&](double v) { return known ? ReportValue{v} : ReportValue{}; };
        const RateWithLimits r = known ? **rate : RateWithLimits{};
        columns[kRate - 1].values.push_back(value(r.rate));
        columns[kLower - 1].values.push_back(value(r.lower));
        columns[kUpper - 1].values.push_back(value(r.upper));
        columns[kPlus - 1].values.push_back(value(r.upper - r.rate));
        columns[kMinus - 1].values.push_back(value(r.rate - r.lower));
    }

    model::Chart chart = report::ExtendedChart("阳性率条图", "两组阳性率及95%可信区间");
    chart.xAxis.title = "组别";
    report::RateAxis(chart.yAxis);
    chart.width = 320;
    chart.top = report::ExtendedRowTop(sheet, row);
    const report::ChartDataPlace data =
        report::WriteChartData(sheet, report::RowBelowChart(sheet, row, chart.height), "阳性率条图作图数据", columns);

    model::ChartSeries bars;
    bars.sheetName = sheet.name();
    bars.kind = model::SeriesKind::Column;
    bars.xValues = data.values(kGroup, 2);
    bars.yValues = data.values(kRate, 2);
    bars.errorPlus = data.values(kPlus, 2);
    bars.errorMinus = data.values(kMinus, 2);
    bars.fillColourIndex = kBarColour;
    bars.markerStyle = model::MarkerStyle::None;
    chart.series.push_back(bars);
    sheet.addChart(chart);
}

}  // namespace tavelmark::rates
