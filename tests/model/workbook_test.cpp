#include <gtest/gtest.h>

#include <limits>

#include "model/workbook.h"

namespace tavelmark::model {
namespace {

TEST(Workbook, SuperscriptCountsCharactersNotBytes) {
    Sheet sheet;
    sheet.setValue("A5", std::string("Pearson χ2检验"));
    sheet.setSuperscript(Cell("A5"), 9, 1);
    const auto* rich = std::get_if<RichText>(&sheet.value("A5"));
    ASSERT_NE(rich, nullptr);
    EXPECT_EQ(*rich, (RichText{{"Pearson χ", false}, {"2", true}, {"检验", false}}));
    EXPECT_EQ(PlainText(sheet.value("A5")), "Pearson χ2检验");

    // A second span on the same cell keeps the first.
    sheet.setValue("A6", std::string("x2y2"));
    sheet.setSuperscript(Cell("A6"), 1, 1);
    sheet.setSuperscript(Cell("A6"), 3, 1);
    EXPECT_EQ(std::get<RichText>(sheet.value("A6")),
              (RichText{{"x", false}, {"2", true}, {"y", false}, {"2", true}}));
}

TEST(Workbook, R1C1ReferencesOfChartSeries) {
    auto ref = ParseR1C1Reference("=Sheet1!R18C1:R23C1");
    ASSERT_TRUE(ref);
    EXPECT_EQ(ref->first, "Sheet1");
    EXPECT_EQ(ref->second, Range("A18:A23"));
    EXPECT_EQ(ParseR1C1Reference("=Sheet1!R2C3")->second, Range("C2"));
    for (const char* bad : {"Sheet1R1C1", "=Sheet1!R0C1", "=Sheet1!R1", "=Sheet1!R1C1:", "=S!R1C1x"})
        EXPECT_FALSE(ParseR1C1Reference(bad)) << bad;
}

TEST(Workbook, ColumnWidthsAndExtent) {
    Sheet sheet;
    sheet.setColumnWidth(3, 20);
    sheet.setDefaultColumnWidth(13.5);  // "all cells" also resets columns set before
    sheet.setColumnWidth(1, 4.5);
    EXPECT_EQ(sheet.columnWidth(1), 4.5);
    EXPECT_EQ(sheet.columnWidth(3), 13.5);
    EXPECT_EQ(sheet.columnWidth(9), 13.5);
    sheet.setValue("C7", 1.0);
    sheet.setBottomBorder(Range("A9:J9"), BorderWeight::Thin);
    EXPECT_EQ(sheet.usedExtent(), (CellRef{9, 10}));
}

// A result that is not a finite number never becomes a number cell: the cell
// is empty, as for any result that could not be computed, so the result
// window, --print and the .xlsx file all show the same empty cell.
TEST(Workbook, ANumberThatIsNotFiniteLeavesTheCellEmpty) {
    using limits = std::numeric_limits<double>;
    for (double v : {limits::quiet_NaN(), limits::infinity(), -limits::infinity()}) {
        Sheet sheet;
        sheet.setValue("B2", 4.0);
        sheet.setValue("B2", v);
        EXPECT_TRUE(std::holds_alternative<std::monostate>(sheet.value("B2"))) << v;
        EXPECT_TRUE(sheet.cells().values().empty()) << v;
    }
    Sheet sheet;
    sheet.setValue("A1", limits::max());
    EXPECT_EQ(PlainText(sheet.value("A1")), "1.7976931348623157e+308");
}

TEST(Workbook, PaletteColours) {
    EXPECT_EQ(PaletteColour(5), (Rgb{0, 0, 255}));
    EXPECT_EQ(PaletteColour(3), (Rgb{255, 0, 0}));
    EXPECT_EQ(PaletteColour(1), (Rgb{0, 0, 0}));
    EXPECT_EQ(PaletteColour(0), (Rgb{0, 0, 0}));
}

}  // namespace
}  // namespace tavelmark::model
