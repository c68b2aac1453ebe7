#include "analyses/multigroup/multigroup_chart.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "analyses/multigroup/multigroup_report.h"
#include "report/extended_chart.h"

namespace tavelmark::multigroup {

using model::ChartSeries, model::MarkerStyle, model::SeriesKind;
using report::ChartDataColumn;

namespace {

constexpr double kTieStep = 0.05;
// Palette indices, one per group: blue, red, green, purple, orange, teal,
// grey, brown, magenta, olive.
constexpr int kGroupColours[] = {5, 3, 10, 13, 46, 14, 16, 53, 7, 12};
constexpr int kBlack = 1;
// The marks stand this share of the span above the highest of a group's
// dots and whisker.
constexpr double kMarkLift = 0.06;

// The mean bar reaches this far to either side of its group's centre.
constexpr double kBarHalfWidth = 0.25;

enum Column { kDotX = 1, kDotY, kGroupX, kGroupName, kMean, kSd, kMarkY, kMark, kNameY, kBarX, kBarY };

ChartSeries Series(const report::ChartDataPlace& data, const std::string& sheet, int xColumn, int yColumn,
                   int first, int count) {
    ChartSeries s;
    s.sheetName = sheet;
    s.xValues = model::RangeRef{{data.firstRow + first, xColumn}, {data.firstRow + first + count - 1, xColumn}};
    s.yValues = model::RangeRef{{data.firstRow + first, yColumn}, {data.firstRow + first + count - 1, yColumn}};
    return s;
}

}  // namespace

void AddMultigroupChart(model::Sheet& sheet, int row, const MultigroupInput& input, const MultigroupResults& results,
                        const MultigroupOptions&) {
    const int k = static_cast<int>(input.names.size());
    double low = INFINITY, high = -INFINITY;
    std::vector<double> tops(static_cast<std::size_t>(k));
    for (int g = 0; g < k; ++g) {
        const GroupSummary& s = results.summaries[g];
        low = std::min({low, s.min, s.mean - s.sd});
        tops[g] = std::max(s.max, s.mean + s.sd);
        high = std::max(high, tops[g]);
    }
    const std::vector<std::string> marks = GroupMarks(input, results);
    const double lift = kMarkLift * (high > low ? high - low : 1);
    const bool anyMark = std::any_of(marks.begin(), marks.end(), [](const std::string& m) { return !m.empty(); });

    model::Chart chart = report::ExtendedChart(kChartName, "各组数据点及均数±标准差");
    chart.xAxis.minimum = 0.5;
    chart.xAxis.maximum = k + 0.5;
    chart.xAxis.majorUnit = 1;
    chart.xAxis.tickNumberFormat = ";;;";
    chart.yAxis.title = "数值";
    report::SpanAxis(chart.yAxis, low, anyMark ? high + 2 * lift : high);
    // Room for each group's name under the axis.
    chart.width = std::max(320.0, 80 + 55.0 * k);
    chart.height = 240;
    chart.top = report::ExtendedRowTop(sheet, row + 1);
    const double axisFloor = chart.yAxis.minimum.value_or(low);

    std::vector<ChartDataColumn> columns = report::ChartDataColumns(
        {"点位置", "数值", "组序号", "组别", "均数", "标准差", "标记位置", "标记", "组名位置", "均数线x", "均数线y"});
    std::vector<int> firstDot;
    for (int g = 0; g < k; ++g) {
        firstDot.push_back(static_cast<int>(columns[kDotX - 1].values.size()));
        for (const report::PlotPoint& d : report::SideBySideDots(input.values[g], g + 1, kTieStep)) {
            columns[kDotX - 1].values.emplace_back(d.x);
            columns[kDotY - 1].values.emplace_back(d.y);
        }
        columns[kGroupX - 1].values.emplace_back(static_cast<double>(g + 1));
        columns[kGroupName - 1].values.emplace_back(input.names[g]);
        columns[kMean - 1].values.emplace_back(results.summaries[g].mean);
        columns[kSd - 1].values.emplace_back(results.summaries[g].sd);
        columns[kMarkY - 1].values.emplace_back(tops[g] + lift);
        columns[kMark - 1].values.emplace_back(marks[g]);
        columns[kNameY - 1].values.emplace_back(axisFloor);
        for (double side : {-kBarHalfWidth, kBarHalfWidth}) {
            columns[kBarX - 1].values.emplace_back(g + 1 + side);
            columns[kBarY - 1].values.emplace_back(results.summaries[g].mean);
        }
    }
    for (ChartDataColumn& c : columns) c.numberFormat = "General";
    columns[kDotX - 1].numberFormat = columns[kGroupX - 1].numberFormat = columns[kBarX - 1].numberFormat = "0.00";
    const report::ChartDataPlace data =
        report::WriteChartData(sheet, report::RowBelowChart(sheet, row + 1, chart.height), "作图数据", columns);

    for (int g = 0; g < k; ++g) {
        ChartSeries dots = Series(data, sheet.name(), kDotX, kDotY, firstDot[g], static_cast<int>(input.values[g].size()));
        dots.markerStyle = MarkerStyle::Circle;
        dots.markerSize = 4;
        dots.lineColourIndex = dots.markerBackgroundColourIndex = kGroupColours[g % 10];
        chart.series.push_back(dots);
    }
    for (int g = 0; g < k; ++g) {
        ChartSeries bar = Series(data, sheet.name(), kBarX, kBarY, 2 * g, 2);
        bar.kind = SeriesKind::ScatterLinesNoMarkers;
        bar.markerStyle = MarkerStyle::None;
        bar.lineColourIndex = kBlack;
        chart.series.push_back(bar);
    }
    // The whiskers: mean ± SD, on points without markers.
    ChartSeries whiskers = Series(data, sheet.name(), kGroupX, kMean, 0, k);
    whiskers.markerStyle = MarkerStyle::None;
    whiskers.errorPlus = whiskers.errorMinus = data.values(kSd, k);
    chart.series.push_back(whiskers);
    if (anyMark) {
        ChartSeries marked = Series(data, sheet.name(), kGroupX, kMarkY, 0, k);
        marked.markerStyle = MarkerStyle::None;
        marked.labels = data.values(kMark, k);
        chart.series.push_back(marked);
    }
    ChartSeries names = Series(data, sheet.name(), kGroupX, kNameY, 0, k);
    names.markerStyle = MarkerStyle::None;
    names.labels = data.values(kGroupName, k);
    names.labelPosition = model::LabelPosition::Below;
    chart.series.push_back(names);
    sheet.addChart(chart);
}

}  // namespace tavelmark::multigroup
