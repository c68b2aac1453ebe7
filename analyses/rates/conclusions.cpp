#include "analyses/rates/conclusions.h"

namespace tavelmark::rates {

using model::CellRef, model::ReportValue, model::Sheet;

namespace {

std::optional<double> NumberIn(const ReportValue& v) {
    if (const double* d = std::get_if<double>(&v)) return *d;
    return std::nullopt;
}

}  // namespace

std::string ConclusionText(std::optional<double> p) {
    if (!p) return {};
    if (*p > 0.05) return "无统计意义";
    if (*p > 0.01) return "有统计意义";
    return "有高度统计意义";
}

void StatConclusion(Sheet& sheet, CellRef cell) {
    sheet.select(cell);
    if (cell.column <= 1) return;
    const auto text = ConclusionText(NumberIn(sheet.value({cell.row, cell.column - 1})));
    if (!text.empty()) sheet.setValue(cell, text);
}

std::string DirectionText(std::optional<double> p, std::optional<double> p1,
                          std::optional<double> p2) {
    if (!p || *p > 0.05 || !p1 || !p2) return {};
    if (*p1 > *p2) return "R组>T组";
    if (*p1 < *p2) return "R组<T组";
    return {};
}

}  // namespace tavelmark::rates
