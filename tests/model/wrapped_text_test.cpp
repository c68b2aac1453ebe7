// The one rule for a text wrapped within its cell: how wide it is in the
// column's character units, where its lines break, and how many lines its row
// takes. The result window, the paper and the spreadsheet file all use it.
#include "model/wrapped_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavelmark::model {
namespace {

std::vector<std::string> Lines(const std::string& text, double width) {
    std::vector<std::string> lines;
    for (const TextLine& line : WrapText(text, width)) lines.push_back(text.substr(line.begin, line.end - line.begin));
    return lines;
}

TEST(WrappedText, AWideCharacterCountsTwoAnyOtherOne) {
    const struct {
        const char* text;
        int units;
    } cases[] = {
        {"", 0},
        {"LD50", 4},
        {"说明", 4},                   // ideographs
        {"，。；：（）", 12},          // full-width punctuation
        {"～", 2},                     // a full-width form
        {"Φ⁻¹(P) ±1.96·Sx50", 17},     // Greek, superscripts and symbols are narrow
        {"Sheet1为正规Bliss法", 19},
        {"カナ한글", 8},               // kana and hangul are wide too
    };
    for (const auto& c : cases) EXPECT_EQ(TextWidthUnits(c.text), c.units) << c.text;
}

TEST(WrappedText, BreaksIdeographsAnywhereAndLatinBetweenWords) {
    using L = std::vector<std::string>;
    const struct {
        const char* what;
        const char* text;
        double width;
        L lines;
    } cases[] = {
        {"fits", "g = 0.0852", 10, {"g = 0.0852"}},
        {"empty", "", 10, {""}},
        {"ideographs fill the line", "一二三四五六", 8, {"一二三四", "五六"}},
        {"a width between whole characters counts whole ones", "一二三四五六", 8.9, {"一二三四", "五六"}},
        {"between words, the spaces dropped", "alpha beta gamma", 11, {"alpha beta", "gamma"}},
        {"several spaces at the break", "ab   cd", 3, {"ab", "cd"}},
        {"a word longer than a line is cut where the line ends", "abcdefghij", 4, {"abcd", "efgh", "ij"}},
        {"a Latin word stays whole beside ideographs", "Sheet1为正规Bliss法", 10, {"Sheet1为正", "规Bliss法"}},
        {"closing punctuation never starts a line", "一二三，四", 6, {"一二", "三，四"}},
        {"nor a narrow one after an ideograph", "一二三:四", 6, {"一二", "三:四"}},
        {"opening punctuation never ends one", "一二(三四", 6, {"一二", "(三四"}},
        {"a line feed always breaks", "ab\ncd", 10, {"ab", "cd"}},
        {"no room at all: a character a line", "一a", 0, {"一", "a"}},
    };
    for (const auto& c : cases) EXPECT_EQ(Lines(c.text, c.width), c.lines) << c.what;
}

// Every character but the spaces at a break is on one of the lines, in order,
// and no line is wider than the cell unless it is one character.
TEST(WrappedText, EveryCharacterIsOnALineThatFits) {
    const std::string note =
        "g = 0.0852; Sheet1为正规Bliss法: 几率单位加权回归迭代至误差<0.0005, 限为10^(X50±1.96·Sx50), "
        "不计斜率的误差; 此处为最大似然估计及Fieller限, 故数值不同";
    for (double width : {1.0, 5.0, 12.0, 36.0, 48.0, 200.0}) {
        std::string joined;
        for (const std::string& line : Lines(note, width)) {
            EXPECT_TRUE(TextWidthUnits(line) <= width || TextWidthUnits(line) <= 2) << width << ": " << line;
            EXPECT_FALSE(line.empty()) << width;
            joined += line;
        }
        std::string withoutSpaces = note;
        std::erase(withoutSpaces, ' ');
        std::erase(joined, ' ');
        EXPECT_EQ(joined, withoutSpaces) << width;
    }
}

TEST(WrappedText, ARowTakesTheLinesOfItsTallestWrappedText) {
    Sheet sheet;
    sheet.setColumnWidth(1, 10);
    sheet.setColumnWidth(2, 10);
    const std::string twenty = "一二三四五六七八九十";   // 20 units: two lines at 10
    const std::string thirty = twenty + "一二三四五";  // three
    sheet.setValue("A1", twenty);
    sheet.setWrapText(Range("A1"), true);
    sheet.setValue("A2", thirty);  // not wrapped: one line, however long
    sheet.setValue("A3", twenty);
    sheet.setValue("B3", thirty);
    sheet.setWrapText(Range("A3:B3"), true);
    sheet.setValue("A4", 1234567890123.0);  // a number never wraps
    sheet.setWrapText(Range("A4"), true);
    sheet.setWrapText(Range("A5"), true);  // nothing in it
    sheet.setValue("A6", thirty);  // a merge of two columns: 20 units and a padding
    sheet.setWrapText(Range("A6:B6"), true);
    sheet.merge(Range("A6:B6"));
    sheet.setValue("A7", std::string("a\nb\nc\nd"));
    sheet.setWrapText(Range("A7"), true);
    const int expected[] = {2, 1, 3, 1, 1, 2, 4, 1};
    for (int row = 1; row <= 8; ++row) EXPECT_EQ(RowLineCount(sheet, row), expected[row - 1]) << row;
    EXPECT_DOUBLE_EQ(WrapWidth(sheet, Cell("A6")), 20 + 5.0 / 7);
    EXPECT_DOUBLE_EQ(WrapWidth(sheet, Cell("B3")), 10);
    // The width counts characters of the standard 11 points: a text in 22
    // points has half as many, one in 10 no more.
    sheet.setFontSize(Range("C1"), 22);
    sheet.setFontSize(Range("D1"), 10);
    EXPECT_DOUBLE_EQ(WrapWidth(sheet, Cell("C1")), 8.43 / 2);
    EXPECT_DOUBLE_EQ(WrapWidth(sheet, Cell("D1")), 8.43);
}

TEST(WrappedText, ALineInTheFileHasRoomForAnIdeographFace) {
    // 1.45 times the size, up to whole pixels at 96 dpi (3/4 point each).
    const struct {
        double size, points;
    } cases[] = {{10, 15}, {11, 16.5}, {12, 18}, {14, 21}, {9, 13.5}};
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(WrappedLinePoints(c.size), c.points) << c.size;
}

}  // namespace
}  // namespace tavelmark::model
