#include "analyses/potency/potency_report_table.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "report/report_frame.h"

namespace tavelmark::potency {

using model::CellRef, model::HAlign, model::RangeRef, model::Sheet;

namespace {

// Clear of the longest caption, which spans about three columns.
constexpr int kRemarkColumn = 5;

}  // namespace

TableCell Number(std::optional<double> v, const char* fixed) {
    if (!v || !std::isfinite(*v)) return TableCell{};
    const double a = std::fabs(*v);
    const bool scientific = a != 0 && (a < 0.01 || a >= 1e7);
    return TableCell{*v, scientific ? "0.000E+00_ " : fixed};
}

TableCell Probability(std::optional<double> p) {
    if (!p || !std::isfinite(*p)) return TableCell{};
    return TableCell{*p, *p < 1e-4 ? "0.00E+00_ " : kFourDecimals};
}

TableCell Whole(int v) { return TableCell{static_cast<double>(v), kWhole}; }

TableCell Words(std::string text) { return TableCell{std::move(text), {}}; }

std::string LevelName(double percent) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "LD%g", percent);
    return buffer;
}

std::string PairName(const PotencyData& data, int first, int second) {
    return data.preparations[first].name + "/" + data.preparations[second].name;
}

int WriteReportTable(Sheet& sheet, int row, const ReportTable& table) {
    const int captionRow = row, headerRow = row + 1;
    int lastColumn = static_cast<int>(table.headers.size());
    for (const auto& cells : table.rows) lastColumn = std::max(lastColumn, static_cast<int>(cells.size()));
    lastColumn = std::max(lastColumn, 1);

    sheet.setValue(CellRef{captionRow, 1}, table.caption);
    if (!table.remark.empty()) sheet.setValue(CellRef{captionRow, kRemarkColumn}, table.remark);
    for (std::size_t c = 0; c < table.headers.size(); ++c)
        sheet.setValue(CellRef{headerRow, static_cast<int>(c) + 1}, table.headers[c]);
    int last = headerRow;
    for (const auto& cells : table.rows) {
        ++last;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const CellRef cell{last, static_cast<int>(c) + 1};
            sheet.setValue(cell, cells[c].value);
            if (!cells[c].numberFormat.empty()) sheet.setNumberFormat(RangeRef{cell, cell}, cells[c].numberFormat);
        }
    }
    sheet.setHorizontalAlignment(RangeRef{{headerRow, 1}, {last, lastColumn}}, HAlign::Center);
    sheet.setVerticalAlignment(RangeRef{{headerRow, 1}, {last, lastColumn}}, model::VAlign::Center);
    report::DrawTableRules(sheet, captionRow, last, 1, lastColumn);
    for (const std::string& note : table.notes) sheet.setValue(CellRef{++last, 1}, note);
    return last + 2;
}

}  // namespace tavelmark::potency
