#pragma once
// A chart on the "扩展结果" sheet: placed under the tables, with the numbers it
// is drawn from in a captioned table of their own under it, so that the
// picture and its data travel together (and stay in the .xlsx for a reader
// who wants to draw it again).
#include <string>
#include <vector>

#include "model/workbook.h"

namespace tavelmark::report {

// One column of a chart's data: a header and its values from the first row
// down (a shorter column leaves its lower cells empty).
struct ChartDataColumn {
    std::string header;
    std::vector<model::ReportValue> values;
    std::string numberFormat = "0.0000";
};

// Where WriteChartData put the values: rows firstRow.. of columns 1, 2, ...
struct ChartDataPlace {
    int firstRow = 0;
    int nextRow = 0;  // the row after the table and a blank one
    // The first `count` values of column `column` (1-based).
    model::RangeRef values(int column, int count) const;
};

// A point of a chart, in the axes' units.
struct PlotPoint {
    double x = 0, y = 0;
};

// One dot per value at x = `centre`; equal values are set side by side, the
// k-th repeat at 0, +step, −step, +2·step, −2·step, ... from the centre, so
// that every value shows and none moves up or down.
std::vector<PlotPoint> SideBySideDots(const std::vector<double>& values, double centre, double step);

// Columns with these headers and no values yet.
std::vector<ChartDataColumn> ChartDataColumns(const std::vector<std::string>& headers);

// Writes the table from `row` on: caption, header, values, the three rules.
ChartDataPlace WriteChartData(model::Sheet& sheet, int row, const std::string& caption,
                              const std::vector<ChartDataColumn>& columns);

// The chart style of the extended sheets: white, no legend, titled axes.
model::Chart ExtendedChart(std::string name, std::string title);

// A rate axis: 0 to 1 in steps of 0.2, titled 阳性率.
void RateAxis(model::ChartAxis& axis);

// Gives the axis a span from `low` to `high` widened to whole steps of 1, 2
// or 5 times a power of ten, about five of them, so that the window and the
// spreadsheet show the same span (each would choose its own otherwise).
void SpanAxis(model::ChartAxis& axis, double low, double high);

// Where a chart is placed to start at `row` of the extended sheet (title row
// in 12 points, the others in 10, a row of wrapped text as many lines high
// as it takes), in points: at or a little below the row's top however high
// the rows are drawn.
double ExtendedRowTop(const model::Sheet& sheet, int row);

// A row wholly below a chart placed at `row`, with at least one blank row
// between them however high the rows are drawn (the rows from `row` on are
// still empty).
int RowBelowChart(const model::Sheet& sheet, int row, double chartHeight);

}  // namespace tavelmark::report
