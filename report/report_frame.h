#pragma once
// What every report shares: the workbook's opening, the sheet's first rows,
// fonts and column widths, the rules that frame each table, and the hand-over.
#include <optional>
#include <string>

#include "model/workbook.h"
#include "report/prompter.h"

namespace tavelmark::report {

inline constexpr const char* kReportBrand = "Quorin ver1.0 (Tavelmark for Windows)";
inline constexpr const char* kReportFontName = "Microsoft Sans Serif";
inline constexpr const char* kBackgroundPictureName = "brg.jpg";

// Where the calculation finds the files shipped beside the program.
struct ReportContext {
    std::string resourceDir;  // holds brg.jpg; empty: no background picture
};

struct ReportLayout {
    double allColumnsWidth = 8.43;
    std::optional<double> columnAWidth;
    std::string title;  // row 2
};

// A fresh one-sheet workbook without gridlines, with the background picture
// when brg.jpg is there (the picture is decoration: a missing file never
// costs the user the report). The calculate skeleton opens it once the input
// has been accepted.
model::Workbook NewReportWorkbook(const ReportContext& context);

// Fonts, column widths and the two title rows.
void SetUpReportSheet(model::Sheet& sheet, const ReportLayout& layout);

// The three rules of a table: medium under its caption row, thin under the
// header row below it, medium under its last row; across firstColumn..lastColumn.
void DrawTableRules(model::Sheet& sheet, int captionRow, int lastRow, int firstColumn, int lastColumn);


}  // namespace tavelmark::report
