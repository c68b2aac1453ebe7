#pragma once
// The dot plot with a box plot of each group on the extended means sheet.
#include <vector>

#include "analyses/means/box_plot.h"
#include "analyses/means/extended_means.h"
#include "model/workbook.h"
#include "report/extended_chart.h"

namespace tavelmark::means {

using report::PlotPoint;

// The box (quartiles, median) and Tukey's whiskers with their caps as one
// line, some strokes drawn twice; empty without quartiles and whiskers.
std::vector<PlotPoint> BoxPlotPath(const BoxPlotFigures& box, double centre);

// From `row` on: the chart, T at x = 1 and R at x = 2, and the table of the
// numbers it is drawn from below it.
void AddDotBoxChart(model::Sheet& sheet, int row, const ExtendedMeans& results);

}  // namespace tavelmark::means
