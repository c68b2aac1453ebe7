#include "analyses/potency/potency_chart.h"

#include <cmath>
#include <iterator>
#include <string>
#include <vector>

#include "analyses/potency/potency_report_table.h"
#include "report/extended_chart.h"

namespace tavelmark::potency {

using model::CellRef, model::ChartSeries, model::MarkerStyle, model::RangeRef, model::SeriesKind, model::Sheet;

namespace {

struct Colour {
    int index;  // of the spreadsheet's palette
    const char* name;
};
constexpr Colour kColours[] = {{5, "蓝"},  {3, "红"},  {10, "绿"}, {46, "橙"},  {13, "紫"},
                               {14, "青"}, {1, "黑"},  {53, "棕"}, {7, "品红"}, {12, "橄榄"}};
constexpr int kWhite = 2, kGrey = 16;

// Where rows lie, in points: the result window draws a row 1.35 font sizes
// high (the two title rows in 14 points, the rest in 10), the spreadsheet
// file 12.75 points at least. The chart starts below the row above it in
// both; its table starts below it in both.
double RowTop(int row) { return 2 * 1.35 * 14 + (row - 3) * 1.35 * 10; }
int RowBelow(int row, double height) { return static_cast<int>(std::floor((RowTop(row) + height) / 12.75)) + 3; }

struct Block {
    std::string label;
    std::string colour;
    std::vector<ChartPoint> points;
    RangeRef x{}, y{};
};

}  // namespace

void AddPotencyChart(Sheet& sheet, int row, const PotencyChartData& data, numeric::QuantalLink link) {
    model::Chart chart;
    chart.name = "量效直线图";
    chart.title = "对数剂量-反应率(实线: 平行线; 虚线: 各自直线)";
    chart.titleFontSize = 11;
    chart.plotAreaBorder = true;
    chart.xAxis.title = "对数剂量 log10(D)";
    chart.xAxis.tickNumberFormat = "0.00";
    report::SpanAxis(chart.xAxis, data.xMin, data.xMax);
    // The tick labels give the rate in percent; a renderer that can show only
    // numbers shows the normal deviate (or the logit), as the title says.
    chart.yAxis.title = link == numeric::QuantalLink::Probit ? "反应率(几率单位刻度)" : "反应率(logit刻度)";
    chart.yAxis.tickNumberFormat = "0.0";
    chart.yAxis.minimum = data.yMin;
    chart.yAxis.maximum = data.yMax;
    for (const auto& [value, label] : data.ticks) chart.yAxis.tickLabels.push_back({value, label});
    chart.left = 0;
    chart.top = RowTop(row);
    chart.width = 480;
    chart.height = 330;

    // The numbers, one block of rows per series.
    std::vector<Block> blocks;
    std::vector<ChartSeries> series;
    const auto add = [&](Block block, ChartSeries s) {
        if (block.points.empty()) return;
        blocks.push_back(std::move(block));
        series.push_back(s);
    };
    for (std::size_t j = 0; j < data.preparations.size(); ++j) {
        const PreparationChart& p = data.preparations[j];
        const Colour& c = kColours[j % std::size(kColours)];
        const std::string& name = p.name;
        ChartSeries line;
        line.kind = SeriesKind::ScatterLinesNoMarkers;
        line.markerStyle = MarkerStyle::None;
        line.lineColourIndex = c.index;
        add({name + " 平行线", c.name, p.parallelLine}, line);
        line.dashedLine = true;
        add({name + " 各自直线", c.name, p.ownLine}, line);
        ChartSeries points;
        points.kind = SeriesKind::Scatter;
        points.markerStyle = MarkerStyle::Circle;
        points.markerSize = 6;
        points.lineColourIndex = c.index;
        points.markerBackgroundColourIndex = c.index;
        add({name + " 观察值", c.name, p.points}, points);
        points.markerBackgroundColourIndex = kWhite;
        add({name + " 0或100%", c.name, p.edgePoints}, points);
    }
    ChartSeries reference;
    reference.kind = SeriesKind::ScatterLinesNoMarkers;
    reference.markerStyle = MarkerStyle::None;
    reference.lineColourIndex = kGrey;
    reference.dashedLine = true;
    add({"50%参考线", "灰", {{data.xMin, 0}, {data.xMax, 0}}}, reference);

    ReportTable table;
    table.caption = "量效直线图作图数据";
    table.remark = "(纵坐标为几率单位刻度上的反应率: 0%与100%画在纵轴两端)";
    table.headers = {"系列", "颜色", "对数剂量", "纵坐标"};
    int dataRow = RowBelow(row, chart.height) + 2;  // below the caption and the header
    for (Block& b : blocks) {
        const int last = dataRow + static_cast<int>(b.points.size()) - 1;
        b.x = RangeRef{{dataRow, 3}, {last, 3}};
        b.y = RangeRef{{dataRow, 4}, {last, 4}};
        for (std::size_t i = 0; i < b.points.size(); ++i)
            table.rows.push_back({Words(i == 0 ? b.label : ""), Words(i == 0 ? b.colour : ""),
                                  Number(b.points[i].x, kFourDecimals), Number(b.points[i].y, kFourDecimals)});
        dataRow += static_cast<int>(b.points.size());
    }
    WriteReportTable(sheet, RowBelow(row, chart.height), table);
    for (std::size_t i = 0; i < series.size(); ++i) {
        series[i].sheetName = sheet.name();
        series[i].xValues = blocks[i].x;
        series[i].yValues = blocks[i].y;
        chart.series.push_back(series[i]);
    }
    sheet.addChart(chart);
}

}  // namespace tavelmark::potency
