#include "report/report_frame.h"

#include <filesystem>

namespace tavelmark::report {

using model::BorderWeight, model::CellFormat, model::Range, model::RangeRef, model::Rgb,
    model::Sheet, model::Workbook;

Workbook NewReportWorkbook(const ReportContext& context) {
    Workbook workbook;
    Sheet& sheet = workbook.activeSheet();
    if (!context.resourceDir.empty()) {
        const auto picture = std::filesystem::path(context.resourceDir) / kBackgroundPictureName;
        std::error_code ignored;
        if (std::filesystem::is_regular_file(picture, ignored)) sheet.setBackgroundPicture(picture.string());
    }
    sheet.setGridlines(false);
    return workbook;
}

void SetUpReportSheet(Sheet& sheet, const ReportLayout& layout) {
    sheet.formatAll([](CellFormat& f) {
        f.font.size = 10;
        f.font.name = kReportFontName;
    });
    sheet.setDefaultColumnWidth(layout.allColumnsWidth);
    if (layout.columnAWidth) sheet.setColumnWidth(1, *layout.columnAWidth);
    sheet.setValue("A1", std::string(kReportBrand));
    sheet.setFontColour(Range("A1"), Rgb{255, 0, 0});
    sheet.setValue("A2", layout.title);
    sheet.setFontColour(Range("A2"), Rgb{0, 0, 255});
    sheet.setFontSize(Range("A1:A2"), 14);
}

void DrawTableRules(Sheet& sheet, int captionRow, int lastRow, int firstColumn, int lastColumn) {
    auto across = [&](int row) { return RangeRef{{row, firstColumn}, {row, lastColumn}}; };
    sheet.setBottomBorder(across(captionRow), BorderWeight::Medium);
    sheet.setBottomBorder(across(captionRow + 1), BorderWeight::Thin);
    sheet.setBottomBorder(across(lastRow), BorderWeight::Medium);
}

}  // namespace tavelmark::report
