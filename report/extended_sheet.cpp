#include "report/extended_sheet.h"

#include <cmath>

#include "model/cell_ref.h"
#include "model/wrapped_text.h"
#include "report/report_frame.h"

namespace tavelmark::report {

using model::BorderWeight, model::CellRef, model::HAlign, model::RangeRef, model::Sheet,
    model::Workbook;

namespace {

constexpr int kTitleRow = 1;
constexpr int kFirstSectionRow = 3;

RangeRef RowSpan(int row) {
    return RangeRef{CellRef{row, kExtendedItemColumn}, CellRef{row, kExtendedNoteColumn}};
}

bool IsFinite(std::optional<double> value) { return value && std::isfinite(*value); }

void WriteNumber(Sheet& sheet, int row, int column, std::optional<double> value,
                 const std::string& format) {
    if (!IsFinite(value)) return;
    const CellRef cell{row, column};
    sheet.setValue(cell, *value);
    sheet.setNumberFormat(RangeRef{cell, cell}, format);
}

// Right-aligned like the numbers of its column.
void WriteInfinity(Sheet& sheet, int row, int column) {
    const CellRef cell{row, column};
    sheet.setValue(cell, std::string("∞"));
    sheet.setHorizontalAlignment(RangeRef{cell, cell}, HAlign::Right);
}

}  // namespace

Sheet& AddExtendedSheet(Workbook& book, const std::string& title) {
    Sheet& sheet = book.sheets.emplace_back(kExtendedSheetName);
    sheet.setGridlines(false);
    // Six columns, 142 characters: on paper they fill a landscape page's
    // width at full size (they are scaled down to it where a chart is wider).
    sheet.setPageSetup(model::PageSetup{model::PageOrientation::Landscape, true});
    sheet.formatAll([](model::CellFormat& f) {
        f.font.size = 10;
        f.font.name = kReportFontName;
    });
    sheet.setDefaultColumnWidth(12);
    sheet.setColumnWidth(kExtendedItemColumn, 26);
    sheet.setColumnWidth(kExtendedMethodColumn, kExtendedMethodWidth);
    sheet.setColumnWidth(kExtendedNoteColumn, kExtendedNoteWidth);
    sheet.setValue(CellRef{kTitleRow, kExtendedItemColumn}, title);
    sheet.setFontSize(RowSpan(kTitleRow), 12);
    sheet.setFontColour(RowSpan(kTitleRow), model::Rgb{0, 0, 255});
    return sheet;
}

int WriteExtendedSection(Sheet& sheet, int row, const ExtendedSection& section) {
    if (row < kFirstSectionRow) row = kFirstSectionRow;
    const int captionRow = row;
    sheet.setValue(CellRef{captionRow, kExtendedItemColumn}, section.caption);
    sheet.setFontColour(RowSpan(captionRow), model::Rgb{255, 0, 0});

    const int headerRow = captionRow + 1;
    sheet.setValue(CellRef{headerRow, kExtendedItemColumn}, std::string("项目"));
    sheet.setValue(CellRef{headerRow, kExtendedEstimateColumn}, section.estimateHeader);
    sheet.setValue(CellRef{headerRow, kExtendedLowerColumn}, std::string("95%下限"));
    sheet.setValue(CellRef{headerRow, kExtendedUpperColumn}, std::string("95%上限"));
    sheet.setValue(CellRef{headerRow, kExtendedMethodColumn}, std::string("方法"));
    sheet.setValue(CellRef{headerRow, kExtendedNoteColumn}, std::string("说明"));
    sheet.setHorizontalAlignment(
        RangeRef{CellRef{headerRow, kExtendedEstimateColumn}, CellRef{headerRow, kExtendedUpperColumn}},
        HAlign::Center);

    int last = headerRow;
    for (const ExtendedRow& r : section.rows) {
        ++last;
        sheet.setValue(CellRef{last, kExtendedItemColumn}, r.item);
        const bool hasEstimate = IsFinite(r.estimate) || r.estimateInfinite;
        if (r.estimateInfinite)
            WriteInfinity(sheet, last, kExtendedEstimateColumn);
        else
            WriteNumber(sheet, last, kExtendedEstimateColumn, r.estimate, r.numberFormat);
        // An interval never stands without its estimate, nor half of it alone.
        if (hasEstimate && IsFinite(r.lower) && (IsFinite(r.upper) || r.upperInfinite)) {
            WriteNumber(sheet, last, kExtendedLowerColumn, r.lower, r.numberFormat);
            if (r.upperInfinite)
                WriteInfinity(sheet, last, kExtendedUpperColumn);
            else
                WriteNumber(sheet, last, kExtendedUpperColumn, r.upper, r.numberFormat);
        }
        if (!r.method.empty()) sheet.setValue(CellRef{last, kExtendedMethodColumn}, r.method);
        if (!r.note.empty()) sheet.setValue(CellRef{last, kExtendedNoteColumn}, r.note);
    }
    // Centred, the method keeps clear of the upper limit's right-aligned digits.
    sheet.setHorizontalAlignment(
        RangeRef{CellRef{headerRow, kExtendedMethodColumn}, CellRef{last, kExtendedMethodColumn}}, HAlign::Center);
    // A long method or note wraps within its column, every word on the page;
    // its row grows, and the row's other figures stand beside its first line.
    if (last > headerRow)
        sheet.setWrapText(RangeRef{CellRef{headerRow + 1, kExtendedMethodColumn}, CellRef{last, kExtendedNoteColumn}},
                          true);
    for (int r = headerRow + 1; r <= last; ++r)
        if (model::RowLineCount(sheet, r) > 1) sheet.setVerticalAlignment(RowSpan(r), model::VAlign::Top);
    DrawTableRules(sheet, captionRow, last, kExtendedItemColumn, kExtendedNoteColumn);
    return last + 2;
}

std::string ProbabilityNumberFormat(double p) { return p < 1e-4 ? "0.00E+00" : "0.0000"; }

}  // namespace tavelmark::report
