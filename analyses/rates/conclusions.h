#pragma once
// The wording of a test row: the statistical conclusion from its P value and
// the direction of the difference.
#include <optional>
#include <string>

#include "model/workbook.h"

namespace tavelmark::rates {

// "无统计意义" (P > 0.05), "有统计意义" (0.01 < P <= 0.05), "有高度统计意义"
// (P <= 0.01); empty when there is no P value.
std::string ConclusionText(std::optional<double> p);

// Selects `cell` and writes the wording of the P value shown in the cell to
// its left; writes nothing when that cell shows no number ("---", empty),
// which is when `p` is empty.
void StatConclusion(model::Sheet& sheet, model::CellRef cell, std::optional<double> p);

// "R组>T组" or "R组<T组" for a row with P <= 0.05 and different rates;
// empty otherwise.
std::string DirectionText(std::optional<double> p, std::optional<double> p1,
                          std::optional<double> p2);

}  // namespace tavelmark::rates
