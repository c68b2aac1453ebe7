#pragma once
// Tick labels at chosen values of a scatter chart's value axis, more of them
// than a number format carries (a rate axis on the probit scale labelled 1 %,
// 5 %, ... 99 %). The file format labels a value axis only through a number
// format, whose conditions name two values at most. Such an axis keeps its
// room for labels but shows none and no ticks of its own; a series drawn
// along it gives them: a tick at each value of the value axis, with the
// label's text as the point's data label. Both axes then stand at the
// other's minimum, the frame of the plot, as the window draws them.
//
// A series reads its points from cells, and the report has none with these
// values: they are written into two hidden columns of the chart's sheet, IW
// and IX, beyond every column a report uses (the chart is told to draw
// hidden cells).
#include <string>

#include <xlsxwriter.h>

#include "model/workbook.h"
#include "xlsx/xlsx_layout.h"

namespace tavelmark::xlsx {

enum class TickAxis { X, Y };

// Whether the chart's axis gets its labels from a series: a scatter chart,
// more labels than a number format holds (and not too many), and the other
// axis's minimum set, which is where the labelled axis stands.
bool DrawsTickLabelSeries(const model::Chart& chart, TickAxis axis);

// The points of every such series of the sheet's charts, in hidden columns;
// their rows get the heights the sheet gives them, as every row holding a
// cell must (xlsx_sheet.cpp). False with *error when the library refuses them.
bool WriteTickLabelCells(lxw_worksheet* worksheet, const model::Sheet& sheet, const RowHeights& rows,
                         std::string* error);

// Adds the series to `written`, the library's chart of `chart`, the
// `index`th chart of `sheet`, and has the chart draw hidden cells.
void AddTickLabelSeries(lxw_chart* written, const model::Sheet& sheet, int index, const model::Chart& chart,
                        TickAxis axis);

// The number format that keeps an axis's room for labels as wide as its
// longest label, showing nothing.
std::string BlankTickLabelFormat(const model::ChartAxis& axis);

}  // namespace tavelmark::xlsx
