#include <gtest/gtest.h>

#include "model/input_grid.h"

namespace tavelmark::model {
namespace {

TEST(InputGrid, ValuesKeepTheirType) {
    InputGrid grid;
    grid.setValue("B2", 14.0);
    grid.setValue("B3", std::string("abc"));
    grid.setValue("B4", std::monostate{});
    EXPECT_EQ(AsNumber(grid.value("B2")), 14.0);
    EXPECT_TRUE(IsText(grid.value("B3")));
    EXPECT_TRUE(IsEmpty(grid.value("B4")));
    EXPECT_TRUE(IsEmpty(grid.value("Z99")));
}

TEST(InputGrid, LastUsedRowSearchesUpwardFromTheGivenRow) {
    GridSheet sheet("Sheet1");
    sheet.setValue("B1", std::string("LD50"));
    sheet.setValue("B2", 1.0);
    sheet.setValue("B3", 2.0);
    sheet.setValue("B7", 3.0);  // after a gap
    EXPECT_EQ(sheet.lastUsedRowUp(2, 17), 7);
    EXPECT_EQ(sheet.lastUsedRowUp(2, 5), 3);
    EXPECT_EQ(sheet.lastUsedRowUp(2, 3), 3);  // the start cell itself counts
    EXPECT_EQ(sheet.lastUsedRowUp(3, 17), 1);  // an empty column
    sheet.clearContents(Range("B1:B7"));
    EXPECT_EQ(sheet.lastUsedRowUp(2, 17), 1);
}

TEST(InputGrid, MovingABlockUpTakesAValueOutWithoutLeavingACopy) {
    GridSheet sheet("Sheet1");
    for (int row = 2; row <= 6; ++row) sheet.setValue(CellRef{row, 1}, double(row));
    sheet.setValue("B2", 99.0);
    sheet.setBoxBorders(Range("A2:A6"), 5);
    // Take A3 out: move A4:A6 up one row.
    sheet.moveRange(Range("A4:A6"), Cell("A3"));
    EXPECT_EQ(AsNumber(sheet.value("A2")), 2.0);
    EXPECT_EQ(AsNumber(sheet.value("A3")), 4.0);
    EXPECT_EQ(AsNumber(sheet.value("A5")), 6.0);
    EXPECT_TRUE(IsEmpty(sheet.value("A6")));  // no duplicate of the last value
    EXPECT_EQ(AsNumber(sheet.value("B2")), 99.0);
    EXPECT_EQ(sheet.lastUsedRowUp(1, 17), 5);
    EXPECT_EQ(sheet.format(Cell("A6")).boxColourIndex, 5);  // the template's box stays
}

TEST(InputGrid, FormatsOfWholeColumnsAndBlocksLayerLikeASpreadsheet) {
    GridSheet sheet("Sheet1");
    sheet.setNumberFormat(Range("B:C"), "####0.0000");
    sheet.setFontSize(Range("A1:C11"), 10);
    sheet.setNumberFormat(Range("B:C"), "#####0.0000");
    EXPECT_EQ(sheet.format(Cell("B2")).numberFormat, "#####0.0000");
    EXPECT_EQ(sheet.format(Cell("B2")).fontSize, 10);
    EXPECT_EQ(sheet.format(Cell("C500")).numberFormat, "#####0.0000");
    EXPECT_EQ(sheet.format(Cell("C500")).fontSize, 11);
    EXPECT_EQ(sheet.format(Cell("A2")).numberFormat, "General");
    EXPECT_EQ(sheet.format(Cell("A2")).fontName, "宋体");
}

TEST(InputGrid, SheetsByNameIgnoreCaseAndSelectionSetsTheActiveCell) {
    InputGrid grid;
    grid.addSheet("Table", true).setValue("AA1", 3.0);
    ASSERT_NE(grid.sheet("table"), nullptr);
    EXPECT_TRUE(grid.sheet("TABLE")->hidden());
    EXPECT_EQ(AsNumber(grid.sheet("Table")->value("AA1")), 3.0);
    EXPECT_EQ(grid.sheet("nothing"), nullptr);
    EXPECT_EQ(grid.activeSheet().name(), "Sheet1");

    grid.select("B2:C3");
    EXPECT_EQ(grid.activeCell(), Cell("B2"));
    grid.setActiveCell(Cell("C3"));
    EXPECT_EQ(grid.selection(), Range("B2:C3"));
    grid.setActiveCell(Cell("A9"));
    EXPECT_EQ(grid.selection(), Range("A9"));
}

TEST(InputGrid, StoredWidthsInPointsBecomeCharacterWidths) {
    // 51.75 pt = 69 px = 7 characters of 7 px plus 5 px padding.
    EXPECT_DOUBLE_EQ(PointsToCharacterWidth(51.75), 9.1428571428571423);
    EXPECT_DOUBLE_EQ(PointsToCharacterWidth(3.75), 0.0);
}

}  // namespace
}  // namespace tavelmark::model
