#pragma once
// What a chart of the result model draws, read from its sheet's cells the
// way both renderers read them: the numbers of a series' ranges.
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include <gtest/gtest.h>

#include "model/workbook.h"

namespace tavelmark::test {

// The cells of a range in order, a number or nothing each.
inline std::vector<std::optional<double>> CellNumbers(const model::Sheet& sheet, const model::RangeRef& range) {
    std::vector<std::optional<double>> numbers;
    for (int r = range.first.row; r <= range.last.row; ++r)
        for (int c = range.first.column; c <= range.last.column; ++c) {
            const auto* v = std::get_if<double>(&sheet.value(model::CellRef{r, c}));
            numbers.push_back(v ? std::optional<double>(*v) : std::nullopt);
        }
    return numbers;
}

struct Point {
    double x = 0, y = 0;
};

// The points of a series: x and y cells paired, both numbers.
inline std::vector<Point> SeriesPoints(const model::Sheet& sheet, const model::ChartSeries& series) {
    const auto xs = CellNumbers(sheet, series.xValues);
    const auto ys = CellNumbers(sheet, series.yValues);
    std::vector<Point> points;
    for (std::size_t i = 0; i < xs.size() && i < ys.size(); ++i)
        if (xs[i] && ys[i]) points.push_back({*xs[i], *ys[i]});
    return points;
}

// The sheet's only chart; a failure when it has none or several.
inline const model::Chart* OnlyChart(const model::Sheet& sheet) {
    if (sheet.charts().size() != 1) {
        ADD_FAILURE() << "the sheet has " << sheet.charts().size() << " charts, expected one";
        return nullptr;
    }
    return &sheet.charts().front();
}

}  // namespace tavelmark::test
