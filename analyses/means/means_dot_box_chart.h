#pragma once
// The dot plot with a box plot of each group on the extended means sheet.
#include <vector>

#include "analyses/means/box_plot.h"
#include "analyses/means/extended_means.h"
#include "model/workbook.h"

namespace tavelmark::means {

struct PlotPoint {
    double x = 0, y = 0;
};

// One dot per value at x = `centre`; equal values are set side by side, the
// k-th repeat 0, +s, -s, +2s, -2s, ... from the centre, so every value shows.
std::vector<PlotPoint> DotPositions(const std::vector<double>& values, double centre);

// The box (quartiles, median) and Tukey's whiskers with their caps as one
// line, some strokes drawn twice; empty without quartiles and whiskers.
std::vector<PlotPoint> BoxPlotPath(const BoxPlotFigures& box, double centre);

// From `row` on: the chart, T at x = 1 and R at x = 2, and the table of the
// numbers it is drawn from below it.
void AddDotBoxChart(model::Sheet& sheet, int row, const ExtendedMeans& results);

}  // namespace tavelmark::means
