#include "report/extended_chart.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "model/wrapped_text.h"
#include "report/report_frame.h"

namespace tavelmark::report {

using model::CellRef, model::RangeRef, model::Sheet;

namespace {

// The result window draws a row 1.35 font sizes high, the spreadsheet file
// 1.275. A chart is placed by the taller rows, so that it starts under the
// table above it in both, and the table under it starts below it by the
// shorter rows, where it covers the most of them.
constexpr double kTallTitleRow = 1.35 * 12, kTallRow = 1.35 * 10;
constexpr double kShortRow = 12.75;

}  // namespace

RangeRef ChartDataPlace::values(int column, int count) const {
    return RangeRef{CellRef{firstRow, column}, CellRef{firstRow + std::max(count, 1) - 1, column}};
}

std::vector<PlotPoint> SideBySideDots(const std::vector<double>& values, double centre, double step) {
    std::map<double, int> seen;
    std::vector<PlotPoint> dots;
    for (double v : values) {
        const int k = seen[v]++;
        const int steps = (k + 1) / 2;
        const double side = k % 2 == 1 ? 1.0 : -1.0;
        dots.push_back({centre + side * steps * step, v});
    }
    return dots;
}

std::vector<ChartDataColumn> ChartDataColumns(const std::vector<std::string>& headers) {
    std::vector<ChartDataColumn> columns;
    for (const std::string& header : headers) columns.emplace_back().header = header;
    return columns;
}

ChartDataPlace WriteChartData(Sheet& sheet, int row, const std::string& caption,
                              const std::vector<ChartDataColumn>& columns) {
    const int captionRow = row, headerRow = row + 1;
    sheet.setValue(CellRef{captionRow, 1}, caption);
    const int lastColumn = std::max(static_cast<int>(columns.size()), 1);
    sheet.setFontColour(RangeRef{CellRef{captionRow, 1}, CellRef{captionRow, lastColumn}},
                        model::Rgb{255, 0, 0});
    std::size_t longest = 0;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const int column = static_cast<int>(c) + 1;
        sheet.setValue(CellRef{headerRow, column}, columns[c].header);
        const auto& values = columns[c].values;
        longest = std::max(longest, values.size());
        for (std::size_t i = 0; i < values.size(); ++i)
            sheet.setValue(CellRef{headerRow + 1 + static_cast<int>(i), column}, values[i]);
        if (!values.empty())
            sheet.setNumberFormat(RangeRef{CellRef{headerRow + 1, column},
                                           CellRef{headerRow + static_cast<int>(values.size()), column}},
                                  columns[c].numberFormat);
    }
    sheet.setHorizontalAlignment(RangeRef{CellRef{headerRow, 1}, CellRef{headerRow, lastColumn}},
                                 model::HAlign::Center);
    const int lastRow = headerRow + static_cast<int>(longest);
    DrawTableRules(sheet, captionRow, lastRow, 1, lastColumn);
    return ChartDataPlace{headerRow + 1, lastRow + 2};
}

model::Chart ExtendedChart(std::string name, std::string title) {
    model::Chart chart;
    chart.name = std::move(name);
    chart.title = std::move(title);
    chart.titleFontSize = 11;
    chart.legend = false;
    chart.plotAreaBorder = true;
    chart.plotAreaFill = false;
    chart.width = 400;
    chart.height = 250;
    return chart;
}

void RateAxis(model::ChartAxis& axis) {
    axis.title = "阳性率";
    axis.tickNumberFormat = "0.0";
    axis.minimum = 0;
    axis.maximum = 1;
    axis.majorUnit = 0.2;
}

void SpanAxis(model::ChartAxis& axis, double low, double high) {
    if (!std::isfinite(low) || !std::isfinite(high) || low > high) return;
    if (low == high) {
        const double room = low == 0 ? 1 : std::fabs(low) / 10;
        low -= room;
        high += room;
    }
    const double rough = (high - low) / 5;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = 10 * power;
    for (double factor : {1.0, 2.0, 5.0})
        if (factor * power >= rough) {
            step = factor * power;
            break;
        }
    axis.minimum = std::floor(low / step) * step;
    axis.maximum = std::ceil(high / step) * step;
    axis.majorUnit = step;
}

namespace {

// How many lines the rows from 2 up to `row` (not included) take.
int LinesAbove(const Sheet& sheet, int row) {
    int lines = 0;
    for (int r = 2; r < row; ++r) lines += model::RowLineCount(sheet, r);
    return lines;
}

// How high those rows are drawn at most: a row of wrapped text takes its
// lines at the file's pitch, taller than the window's.
double TallRowsAbove(const Sheet& sheet, int row) {
    const double wrappedLine = std::max(kTallRow, model::WrappedLinePoints(10));
    double height = 0;
    for (int r = 2; r < row; ++r) {
        const int lines = model::RowLineCount(sheet, r);
        height += lines > 1 ? lines * wrappedLine : kTallRow;
    }
    return height;
}

}  // namespace

double ExtendedRowTop(const Sheet& sheet, int row) {
    return row <= 1 ? 0 : kTallTitleRow + TallRowsAbove(sheet, row);
}

int RowBelowChart(const Sheet& sheet, int row, double chartHeight) {
    // Row `row` starts at least as many short lines down as there are lines
    // above it, and each row from there on is one line: the chart's bottom
    // lies at the latest in the row that many short rows further; the next
    // is blank.
    const double bottom = ExtendedRowTop(sheet, row) + chartHeight;
    const double shortTop = (1 + LinesAbove(sheet, row)) * kShortRow;
    return row + static_cast<int>(std::floor((bottom - shortTop) / kShortRow)) + 2;
}

}  // namespace tavelmark::report
