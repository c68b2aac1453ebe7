#include "analyses/means/means_dot_box_chart.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "report/extended_chart.h"

namespace tavelmark::means {

using model::ChartSeries, model::MarkerStyle, model::SeriesKind;
using report::ChartDataColumn;

namespace {

constexpr double kTieStep = 0.06;      // between equal values' dots
constexpr double kBoxHalfWidth = 0.25;
constexpr double kCapHalfWidth = 0.1;
constexpr int kBlack = 1, kRed = 3, kBlue = 5;

struct Group {
    const char* name;
    double centre;
    const BoxPlotFigures* box;
    int colour;
};

void AppendPoints(std::vector<ChartDataColumn>& columns, std::size_t xColumn,
                  const std::vector<PlotPoint>& points) {
    for (const PlotPoint& p : points) {
        columns[xColumn].values.emplace_back(p.x);
        columns[xColumn + 1].values.emplace_back(p.y);
    }
}

ChartSeries SeriesOf(const report::ChartDataPlace& data, const std::string& sheet, int xColumn, int count) {
    ChartSeries s;
    s.sheetName = sheet;
    s.xValues = data.values(xColumn, count);
    s.yValues = data.values(xColumn + 1, count);
    return s;
}

}  // namespace

std::vector<PlotPoint> BoxPlotPath(const BoxPlotFigures& box, double centre) {
    if (!box.lowerQuartile || !box.median || !box.upperQuartile || !box.lowerWhisker || !box.upperWhisker)
        return {};
    const double q1 = *box.lowerQuartile, m = *box.median, q3 = *box.upperQuartile;
    const double low = *box.lowerWhisker, high = *box.upperWhisker;
    const double left = centre - kBoxHalfWidth, right = centre + kBoxHalfWidth;
    const double capLeft = centre - kCapHalfWidth, capRight = centre + kCapHalfWidth;
    return {{capLeft, low}, {capRight, low}, {centre, low}, {centre, q1},  // lower cap and whisker
            {left, q1},     {left, q3},      {centre, q3},  {centre, high},
            {capLeft, high}, {capRight, high}, {centre, high}, {centre, q3},  // upper whisker and cap
            {right, q3},    {right, m},      {left, m},     {right, m},
            {right, q1},    {centre, q1}};  // right side, median, bottom
}

void AddDotBoxChart(model::Sheet& sheet, int row, const ExtendedMeans& results) {
    const Group groups[] = {{"T组", 1, &results.boxT, kBlue}, {"R组", 2, &results.boxR, kRed}};
    std::vector<ChartDataColumn> columns = report::ChartDataColumns(
        {"T组 x", "T组数值", "R组 x", "R组数值", "T组箱线 x", "T组箱线 y", "R组箱线 x", "R组箱线 y"});
    std::vector<std::vector<PlotPoint>> dots, paths;
    for (std::size_t i = 0; i < 2; ++i) {
        dots.push_back(report::SideBySideDots(groups[i].box->values, groups[i].centre, kTieStep));
        AppendPoints(columns, 2 * i, dots.back());
        paths.push_back(BoxPlotPath(*groups[i].box, groups[i].centre));
        AppendPoints(columns, 2 * i + 4, paths.back());
    }
    // Positions in two decimals, the data as the user typed them.
    for (std::size_t i = 0; i < columns.size(); ++i) columns[i].numberFormat = i % 2 == 0 ? "0.00" : "General";

    model::Chart chart = report::ExtendedChart("点图与箱线图", "两组数据点图及箱线图");
    chart.xAxis.title = "组别";
    chart.xAxis.minimum = 0;
    chart.xAxis.maximum = 3;
    chart.xAxis.majorUnit = 1;
    chart.xAxis.tickLabels = {{1, "T组"}, {2, "R组"}};
    chart.yAxis.title = "数值";
    double low = INFINITY, high = -INFINITY;
    for (const auto& group : dots)
        for (const PlotPoint& p : group) {
            low = std::min(low, p.y);
            high = std::max(high, p.y);
        }
    report::SpanAxis(chart.yAxis, low, high);
    chart.top = report::ExtendedRowTop(sheet, row);
    const report::ChartDataPlace data =
        report::WriteChartData(sheet, report::RowBelowChart(sheet, row, chart.height), "点图及箱线图作图数据", columns);

    for (std::size_t i = 0; i < 2; ++i) {
        const int dotColumn = static_cast<int>(2 * i) + 1, pathColumn = static_cast<int>(2 * i) + 5;
        if (!paths[i].empty()) {
            ChartSeries box = SeriesOf(data, sheet.name(), pathColumn, static_cast<int>(paths[i].size()));
            box.kind = SeriesKind::ScatterLinesNoMarkers;
            box.lineColourIndex = kBlack;
            box.markerStyle = MarkerStyle::None;
            chart.series.push_back(box);
        }
        ChartSeries points = SeriesOf(data, sheet.name(), dotColumn, static_cast<int>(dots[i].size()));
        points.kind = SeriesKind::Scatter;
        points.markerStyle = MarkerStyle::Circle;
        points.markerSize = 5;
        points.lineColourIndex = groups[i].colour;
        points.markerBackgroundColourIndex = groups[i].colour;
        chart.series.push_back(points);
    }
    sheet.addChart(chart);
}

}  // namespace tavelmark::means
