#pragma once
// A report chart as a Qt chart: XY scatter series read from the sheet's
// ranges, markers and lines in the palette's colours, titled value axes; or
// columns on a category axis. Either kind may carry error bars per point.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <QSizeF>
#include <QString>

#include "model/workbook.h"

QT_BEGIN_NAMESPACE
class QChart;
QT_END_NAMESPACE

namespace tavelmark::ui {

// The sheet a series names, or nullptr when the workbook has none by that name.
using SheetLookup = std::function<const model::Sheet*(const std::string& name)>;

// The points of a series: the x and y cells paired in order, only where
// both hold numbers (a blank or a text leaves a gap, as in the spreadsheet).
std::vector<std::pair<double, double>> SeriesPoints(const model::Sheet& sheet,
                                                    const model::ChartSeries& series);

// Tick labels: "0.00_ " -> "%.2f", "General" -> "%g".
QString AxisLabelFormat(const std::string& numberFormat);

// The caller owns the returned chart (a QChartView takes it over).
QChart* BuildChart(const model::Chart& chart, const SheetLookup& sheets, double dotsPerInch = 96);

// Sizes the chart and makes each title that would not show whole at that
// size (the chart's and the axes') smaller until it does.
void FitChart(QChart& chart, const QSizeF& size);

}  // namespace tavelmark::ui
