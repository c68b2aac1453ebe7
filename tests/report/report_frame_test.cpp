#include <gtest/gtest.h>

#include <filesystem>

#include "report/report_frame.h"

namespace tavelmark::report {

using model::BorderWeight, model::Cell, model::CellRef, model::PlainText, model::Rgb, model::Sheet,
    model::Workbook;
namespace {

TEST(ReportFrame, OpeningPreparesOneSheetWithoutGridlines) {
    Workbook wb = NewReportWorkbook({TAVELMARK_RESOURCES});
    ASSERT_EQ(wb.sheets.size(), 1u);
    EXPECT_FALSE(wb.activeSheet().gridlines());
    EXPECT_EQ(std::filesystem::path(wb.activeSheet().backgroundPicture()).filename(), "brg.jpg");
}

TEST(ReportFrame, AMissingBackgroundPictureStillGivesAReport) {
    const Workbook wb = NewReportWorkbook({"/nonexistent/folder"});
    EXPECT_TRUE(wb.activeSheet().backgroundPicture().empty());
}

TEST(ReportFrame, SheetSetUpFontsWidthsAndTitles) {
    Sheet sheet;
    SetUpReportSheet(sheet, {13.6, 20, "标题"});
    EXPECT_EQ(PlainText(sheet.value("A1")), "Quorin ver1.0 (Tavelmark for Windows)");
    EXPECT_EQ(PlainText(sheet.value("A2")), "标题");
    EXPECT_EQ(sheet.format(Cell("A1")).font.colour, (Rgb{255, 0, 0}));
    EXPECT_EQ(sheet.format(Cell("A2")).font.colour, (Rgb{0, 0, 255}));
    EXPECT_EQ(sheet.format(Cell("A1")).font.size, 14);
    EXPECT_EQ(sheet.format(Cell("A2")).font.size, 14);
    for (const char* other : {"A3", "B1", "J40"}) {
        EXPECT_EQ(sheet.format(Cell(other)).font.size, 10) << other;
        EXPECT_EQ(sheet.format(Cell(other)).font.name, "Microsoft Sans Serif") << other;
    }
    EXPECT_EQ(sheet.columnWidth(1), 20);
    EXPECT_EQ(sheet.columnWidth(2), 13.6);
    EXPECT_EQ(sheet.columnWidth(200), 13.6);
}

TEST(ReportFrame, ATableHasExactlyThreeRules) {
    Sheet sheet;
    DrawTableRules(sheet, 4, 9, 1, 4);
    for (int row = 1; row <= 12; ++row)
        for (int column = 1; column <= 6; ++column) {
            BorderWeight expected = BorderWeight::None;
            if (column <= 4 && (row == 4 || row == 9)) expected = BorderWeight::Medium;
            if (column <= 4 && row == 5) expected = BorderWeight::Thin;
            EXPECT_EQ(sheet.format(CellRef{row, column}).bottomBorder, expected) << row << "," << column;
        }
}

}  // namespace
}  // namespace tavelmark::report
