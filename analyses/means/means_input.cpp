#include "analyses/means/means_input.h"

#include <algorithm>
#include <cmath>

#include "analyses/means/means_template.h"

namespace tavelmark::means {

using model::AsNumber, model::CellRef, model::CellValue, model::GridSheet, model::ReportValue;

MeansGroupRows FindMeansGroupRows(const GridSheet& sheet) {
    return {sheet.lastUsedRowUp(kMeansColumnT, kMeansLastGridRow),
            sheet.lastUsedRowUp(kMeansColumnR, kMeansLastGridRow)};
}

namespace {

// False with the offending cell when a cell of rows 2..lastRow is not a number.
bool ReadColumn(const GridSheet& sheet, int column, int lastRow, std::vector<double>& values,
                CellRef& badCell) {
    values.clear();
    values.reserve(static_cast<std::size_t>(lastRow > 1 ? lastRow - 1 : 0));
    for (int row = 2; row <= lastRow; ++row) {
        const auto number = AsNumber(sheet.value(CellRef{row, column}));
        // An infinity or NaN (from pasted text such as "inf") is no measurement.
        if (!number || !std::isfinite(*number)) {
            badCell = {row, column};
            return false;
        }
        values.push_back(*number);
    }
    return true;
}

}  // namespace

MeansInput ReadMeansInput(const GridSheet& sheet, const MeansGroupRows& rows) {
    MeansInput input;
    if (rows.n1() < 3 || rows.n2() < 3) {
        input.problem = MeansInputProblem::TooFew;
        return input;
    }
    if (!ReadColumn(sheet, kMeansColumnT, rows.lastRowT, input.t, input.badCell) ||
        !ReadColumn(sheet, kMeansColumnR, rows.lastRowR, input.r, input.badCell)) {
        input.problem = MeansInputProblem::BadCell;
        input.t.clear();
        input.r.clear();
    }
    return input;
}

namespace {

ReportValue FromGrid(const CellValue& v) {
    if (const double* d = std::get_if<double>(&v)) return *d;
    if (const std::string* s = std::get_if<std::string>(&v)) return *s;
    return std::monostate{};
}

}  // namespace

MeansRawData ReadMeansRawData(const GridSheet& sheet, const MeansGroupRows& rows) {
    MeansRawData raw;
    const int lastRow = std::max(rows.lastRowT, rows.lastRowR);
    for (int row = 1; row <= lastRow; ++row) {
        raw.t.push_back(FromGrid(sheet.value(CellRef{row, kMeansColumnT})));
        raw.r.push_back(FromGrid(sheet.value(CellRef{row, kMeansColumnR})));
    }
    return raw;
}

}  // namespace tavelmark::means
