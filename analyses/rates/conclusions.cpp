#include "analyses/rates/conclusions.h"

namespace tavelmark::rates {

using model::CellRef, model::Sheet;

std::string ConclusionText(std::optional<double> p) {
    if (!p) return {};
    if (*p > 0.05) return "无统计意义";
    if (*p > 0.01) return "有统计意义";
    return "有高度统计意义";
}

void StatConclusion(Sheet& sheet, CellRef cell, std::optional<double> p) {
    sheet.select(cell);
    const auto text = ConclusionText(p);
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
