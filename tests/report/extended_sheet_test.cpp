#include "report/extended_sheet.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "model/cell_ref.h"

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

}  // namespace
}  // namespace tavelmark::report
