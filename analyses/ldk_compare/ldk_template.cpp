#include "analyses/ldk_compare/ldk_compare.h"

namespace tavelmark::ldk_compare {

using model::CellRef, model::GridSheet, model::HAlign, model::InputGrid,
    model::PointsToCharacterWidth, model::Range, model::VAlign;

void LoadLDkCompareWorkbook(InputGrid& grid) {
    grid.reset();
    GridSheet& sheet = grid.activeSheet();
    sheet.setViewableRange(Range("A1:C11"));
    sheet.setGridlines(false);
    sheet.setHorizontalAlignment(Range("A:C"), HAlign::Center);
    sheet.setVerticalAlignment(Range("A:C"), VAlign::Center);
    sheet.setColumnWidth(1, PointsToCharacterWidth(51.75));
    sheet.setColumnWidths(Range("B:C"), PointsToCharacterWidth(69.75));
    // Window load.
    sheet.setNumberFormat(Range("B:C"), "####0.0000");
    grid.notifyChanged();
}

void WriteLDkCompareTemplate(InputGrid& grid) {
    GridSheet& sheet = grid.activeSheet();
    sheet.setNumberFormat(Range("B:C"), "#####0.0000");
    sheet.setFontSize(Range("A1:C11"), 10);
    sheet.setHorizontalAlignment(Range("A1:C11"), HAlign::Center);
    sheet.setBoxBorders(Range("B2:C11"), 5);
    sheet.setColumnWidth(1, 7);
    sheet.setValue("B1", std::string("LD50"));
    sheet.setValue("C1", std::string("L95"));
    for (int row = 2; row <= 11; ++row)
        sheet.setValue(CellRef{row, 1}, "第" + std::to_string(row - 1) + "批");
    sheet.setValue("B2", 14.0);
    sheet.setValue("B3", 20.0);
    sheet.setValue("B4", 18.0);
    sheet.setValue("C2", 2.9);
    sheet.setValue("C3", 5.0);
    sheet.setValue("C4", 3.2);
    grid.select("A1");
    grid.notifyChanged();
}

}  // namespace tavelmark::ldk_compare
