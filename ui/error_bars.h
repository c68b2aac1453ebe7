#pragma once
// Error bars of a chart series: each point's amounts above and below it, read
// from the sheet, and the "I" each of them is drawn as.
#include <optional>
#include <utility>
#include <vector>

#include <QPointF>

#include "model/workbook.h"

namespace tavelmark::ui {

struct ErrorAmounts {
    double plus = 0, minus = 0;
};

// Per cell of the series' values, in order: the amounts when both cells of
// the point hold numbers, nothing where one does not (no bar there).
std::vector<std::optional<ErrorAmounts>> SeriesErrorAmounts(const model::Sheet& sheet,
                                                            const model::ChartSeries& series);

// One error bar as a single line that goes over some of its strokes twice:
// lower cap, stem, upper cap, `capHalfWidth` to either side of x.
std::vector<QPointF> ErrorBarPath(double x, double y, const ErrorAmounts& amounts, double capHalfWidth);

}  // namespace tavelmark::ui
