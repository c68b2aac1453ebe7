#include "report/extended_sheet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "model/cell_ref.h"
#include "model/wrapped_text.h"

namespace tavelmark::report {
namespace {

using model::Cell, model::Workbook;

std::optional<double> Number(const model::Sheet& sheet, const char* a1) {
    const auto* number = std::get_if<double>(&sheet.value(a1));
    return number ? std::optional<double>(*number) : std::nullopt;
}

bool Empty(const model::Sheet& sheet, const char* a1) {
    return std::holds_alternative<std::monostate>(sheet.value(a1));
}

std::string Text(const model::Sheet& sheet, const char* a1) {
    const auto* text = std::get_if<std::string>(&sheet.value(a1));
    return text ? *text : std::string();
}

TEST(ExtendedSheet, ComesAfterTheReportSheetAndKeepsItUnchanged) {
    Workbook book;
    book.activeSheet().setValue("A1", std::string("classic"));
    AddExtendedSheet(book, "Bliss法 扩展结果");
    ASSERT_EQ(book.sheets.size(), 2u);
    EXPECT_EQ(book.sheets[0].name(), "Sheet1");
    EXPECT_EQ(Text(book.sheets[0], "A1"), "classic");
    EXPECT_EQ(book.sheets[1].name(), "扩展结果");
    EXPECT_EQ(Text(book.sheets[1], "A1"), "Bliss法 扩展结果");
}

TEST(ExtendedSheet, MissingFiguresLeaveEmptyCellsAndAnIntervalNeverStandsAlone) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    Workbook book;
    model::Sheet& sheet = AddExtendedSheet(book, "t");
    ExtendedSection section{"比较", {
        {"全", 1.5, 1.0, 2.0, "Wald", ""},
        {"无估计", std::nullopt, 1.0, 2.0, "Katz", "有零格, 无法计算"},
        {"非有限", nan, inf, 2.0, "Woolf", "有零格"},
        {"半个区间", 3.0, std::nullopt, 4.0, "Fieller", "g ≥ 1, 可信限不存在"},
    }};
    const int next = WriteExtendedSection(sheet, 3, section);

    // Caption, header, then the four rows on 5..8; one blank row before the next.
    EXPECT_EQ(next, 10);
    EXPECT_EQ(Text(sheet, "E4"), "方法");
    EXPECT_EQ(Text(sheet, "F4"), "说明");
    EXPECT_EQ(Number(sheet, "B5"), 1.5);
    EXPECT_EQ(Number(sheet, "C5"), 1.0);
    EXPECT_EQ(Number(sheet, "D5"), 2.0);
    for (const char* empty : {"B6", "C6", "D6", "B7", "C7", "D7", "C8", "D8"})
        EXPECT_TRUE(Empty(sheet, empty)) << empty;
    EXPECT_EQ(Text(sheet, "F6"), "有零格, 无法计算");
    EXPECT_EQ(Text(sheet, "E7"), "Woolf");
    EXPECT_EQ(Number(sheet, "B8"), 3.0);
    EXPECT_EQ(sheet.format(Cell("B5")).numberFormat, "0.0000");
    EXPECT_EQ(sheet.format(Cell("A8")).bottomBorder, model::BorderWeight::Medium);
}

// A note of 150 characters, as Sheet1's method is explained beside the ML
// row, wraps within its column instead of running off the page: its row
// takes the lines, the row's figures stand at the top beside the first, and
// the rows of one line keep their look.
TEST(ExtendedSheet, LongNotesWrapWithinTheirColumnAndTheirRowsGrow) {
    const std::string longNote =
        "g = 0.0852; Sheet1为正规Bliss法: 几率单位加权回归迭代至误差<0.0005, 限为10^(X50±1.96·Sx50), "
        "不计斜率的误差; 此处为最大似然估计及Fieller限, 故数值不同";
    Workbook book;
    model::Sheet& sheet = AddExtendedSheet(book, "t");
    ExtendedSection section{"LD50", {
        {"LD50", 14.19, 12.45, 16.14, "Fieller法 (最大似然probit)", longNote},
        {"LD50", 14.19, 12.54, 16.06, "正规Bliss法", "同LDk计算器"},
    }};
    WriteExtendedSection(sheet, 3, section);

    EXPECT_TRUE(sheet.format(Cell("F5")).wrapText);
    EXPECT_TRUE(sheet.format(Cell("E5")).wrapText);
    EXPECT_FALSE(sheet.format(Cell("F4")).wrapText);  // the header
    EXPECT_FALSE(sheet.format(Cell("B5")).wrapText);
    // 150 characters in a column of 46: four lines at least, never more than
    // twice that (every line but the last nearly full).
    const int lines = model::RowLineCount(sheet, 5);
    EXPECT_GE(lines, 4);
    EXPECT_LE(lines, 8);
    EXPECT_EQ(model::RowLineCount(sheet, 6), 1);
    for (const char* cell : {"A5", "B5", "C5", "D5", "E5", "F5"})
        EXPECT_EQ(sheet.format(Cell(cell)).vertical, model::VAlign::Top) << cell;
    for (const char* cell : {"A6", "F6"}) EXPECT_EQ(sheet.format(Cell(cell)).vertical, model::VAlign::Bottom) << cell;
}

// The six columns fill a landscape A4 page within margins of 10 mm at full
// size: 277 mm at 96 dpi, each column 7 pixels a character and 5 of padding.
TEST(ExtendedSheet, ItsColumnsFitALandscapePageAtFullSize) {
    Workbook book;
    const model::Sheet& sheet = AddExtendedSheet(book, "t");
    double pixels = 0;
    for (int column = kExtendedItemColumn; column <= kExtendedNoteColumn; ++column)
        pixels += std::floor(sheet.columnWidth(column) * 7 + 0.5) + 5;
    EXPECT_LE(pixels, 277 / 25.4 * 96);
    EXPECT_GT(pixels, 0.9 * 277 / 25.4 * 96);
}

}  // namespace
}  // namespace tavelmark::report
