#include "ui/error_bars.h"

#include <cmath>
#include <variant>

namespace tavelmark::ui {

using model::CellRef, model::RangeRef, model::Sheet;

namespace {

std::vector<std::optional<double>> NumbersOf(const Sheet& sheet, const RangeRef& range) {
    std::vector<std::optional<double>> numbers;
    for (int r = range.first.row; r <= range.last.row; ++r)
        for (int c = range.first.column; c <= range.last.column; ++c) {
            const auto* v = std::get_if<double>(&sheet.value(CellRef{r, c}));
            numbers.push_back(v && std::isfinite(*v) ? std::optional<double>(*v) : std::nullopt);
        }
    return numbers;
}

}  // namespace

std::vector<std::optional<ErrorAmounts>> SeriesErrorAmounts(const Sheet& sheet, const model::ChartSeries& series) {
    std::vector<std::optional<ErrorAmounts>> amounts;
    if (!series.errorPlus || !series.errorMinus) return amounts;
    const auto plus = NumbersOf(sheet, *series.errorPlus);
    const auto minus = NumbersOf(sheet, *series.errorMinus);
    for (std::size_t i = 0; i < plus.size() && i < minus.size(); ++i)
        amounts.push_back(plus[i] && minus[i] ? std::optional<ErrorAmounts>(ErrorAmounts{*plus[i], *minus[i]})
                                              : std::nullopt);
    return amounts;
}

std::vector<QPointF> ErrorBarPath(double x, double y, const ErrorAmounts& amounts, double capHalfWidth) {
    const double low = y - amounts.minus, high = y + amounts.plus;
    return {{x - capHalfWidth, low}, {x + capHalfWidth, low}, {x, low},
            {x, high},              {x - capHalfWidth, high}, {x + capHalfWidth, high}};
}

}  // namespace tavelmark::ui
