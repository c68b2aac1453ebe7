#include "analyses/multigroup/report_table.h"

#include "analyses/multigroup/p_text.h"
#include "report/report_frame.h"

namespace tavelmark::multigroup {

using model::CellRef, model::RangeRef;

ReportTable::ReportTable(model::Sheet& sheet, int row, const std::string& caption,
                         const std::vector<std::string>& headers)
    : sheet_(sheet), caption_(row), row_(row + 1), columns_(static_cast<int>(headers.size())) {
    sheet_.setValue(CellRef{caption_, 1}, caption);
    for (int c = 0; c < columns_; ++c) sheet_.setValue(CellRef{row_, c + 1}, headers[c]);
    sheet_.setHorizontalAlignment(RangeRef{CellRef{row_, 2}, CellRef{row_, std::max(columns_, 2)}},
                                  model::HAlign::Center);
}

void ReportTable::row(const std::string& label) {
    ++row_;
    sheet_.setValue(CellRef{row_, 1}, label);
}

void ReportTable::text(int column, const std::string& value) {
    sheet_.setValue(CellRef{row_, column}, value);
    sheet_.setHorizontalAlignment(RangeRef::cell({row_, column}), model::HAlign::Center);
}

void ReportTable::number(int column, double value, const char* format) {
    sheet_.setValue(CellRef{row_, column}, value);
    sheet_.setNumberFormat(RangeRef::cell({row_, column}), format);
}

void ReportTable::number(int column, std::optional<double> value, const std::string& why, const char* format) {
    if (value)
        number(column, *value, format);
    else
        text(column, why);
}

void ReportTable::probability(int column, std::optional<double> p, const std::string& why) {
    if (p)
        WriteProbability(sheet_, CellRef{row_, column}, *p);
    else
        text(column, why);
}

int ReportTable::finish() {
    report::DrawTableRules(sheet_, caption_, row_, 1, columns_);
    return row_ + 2;
}

void WriteProbability(model::Sheet& sheet, CellRef cell, double p) {
    if (p < kSmallestShownP) {
        sheet.setValue(cell, PText(p));
        sheet.setHorizontalAlignment(RangeRef::cell(cell), model::HAlign::Right);
        return;
    }
    sheet.setValue(cell, p);
    sheet.setNumberFormat(RangeRef::cell(cell), kFigureFormat);
}

}  // namespace tavelmark::multigroup
