#include "copyout/sheet_text.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "model/cell_ref.h"
#include "report/report_frame.h"

namespace tavelmark::copyout {
namespace {

using model::Cell, model::Range, model::RichText, model::Sheet, model::Workbook;

// Two ruled tables as the reports draw them, with a caption row, a header
// row, numbers shown through their formats, a superscript, a blank spacing
// row inside the first table, loose text between the tables, and a note
// right under the second.
Workbook Report() {
    Workbook book;
    Sheet& sheet = book.activeSheet();
    sheet.setValue("A1", std::string("报告标题"));
    sheet.setValue("A3", std::string("表1 检验结果"));
    sheet.setValue("A4", std::string("方法"));
    sheet.setValue("B4", std::string("统计量"));
    sheet.setValue("C4", std::string("P值"));
    sheet.setValue("A5", RichText{{"χ", false}, {"2", true}, {" 检验", false}});
    sheet.setValue("B5", 4.5123456);
    sheet.setNumberFormat(Range("B5:C7"), "0.0000_ ");
    sheet.setValue("C5", 0.0336);
    sheet.setValue("A7", std::string("t<检验>&"));
    sheet.setValue("B7", 2.1);
    sheet.setValue("C7", 0.04);
    report::DrawTableRules(sheet, 3, 7, 1, 3);
    sheet.setValue("A9", std::string("注: 说明文字"));
    sheet.setValue("B11", std::string("表2"));
    sheet.setValue("B12", std::string("组"));
    sheet.setValue("C12", std::string("率"));
    sheet.setValue("B13", std::string("R"));
    sheet.setValue("C13", 0.375);
    sheet.setNumberFormat(Range("C13"), "0.00%");
    report::DrawTableRules(sheet, 11, 13, 2, 3);
    sheet.setValue("B14", std::string("注: 率为阳性率"));
    return book;
}

TEST(CopyOut, BlockAsTabSeparatedTextShowsWhatTheCellsShow) {
    const Workbook book = Report();
    EXPECT_EQ(RangeAsTsv(book.activeSheet(), Range("A4:C5")), "方法\t统计量\tP值\nχ2 检验\t4.5123\t0.0336\n");
    EXPECT_EQ(RangeAsTsv(book.activeSheet(), Range("C13")), "37.50%\n");
    const std::string html = RangeAsHtml(book.activeSheet(), Range("A5:A7"));
    EXPECT_NE(html.find("χ<sup>2</sup> 检验"), std::string::npos) << html;
    EXPECT_NE(html.find("t&lt;检验&gt;&amp;"), std::string::npos) << html;
}

TEST(CopyOut, FindsTheRuledTablesOfAReport) {
    const auto tables = FindRuledTables(Report().activeSheet());
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0].captionRow, 3);
    EXPECT_EQ(tables[0].headerRow, 4);
    EXPECT_EQ(tables[0].lastRow, 7);
    EXPECT_EQ(tables[0].firstColumn, 1);
    EXPECT_EQ(tables[0].lastColumn, 3);
    EXPECT_EQ(tables[1].captionRow, 11);
    EXPECT_EQ(tables[1].lastRow, 13);
    EXPECT_EQ(tables[1].firstColumn, 2);
    // A note lies right under its table; text after a blank row is loose.
    EXPECT_EQ(tables[0].lastNoteRow, 0);
    EXPECT_EQ(tables[1].lastNoteRow, 14);
    EXPECT_TRUE(FindRuledTables(Sheet{}).empty());
}

TEST(CopyOut, ASelectionPicksTheTablesItTouches) {
    const Workbook book = Report();
    const Sheet& sheet = book.activeSheet();
    const struct {
        const char* selected;
        std::vector<int> captions;  // of the tables copied
    } cases[] = {
        {"C12", {11}},        // a header cell
        {"A5", {3}},          // a body cell
        {"B3", {3}},          // the caption row, beside the caption
        {"C14", {11}},        // beside the note
        {"B7:B11", {3, 11}},  // across both
        {"A1:C2", {}},        // the title above them
        {"A9:C9", {}},        // loose text
        {"D4:F6", {}},        // beside the first table
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.selected);
        std::vector<int> captions;
        for (const RuledTable& table : RuledTablesMeeting(sheet, Range(c.selected))) captions.push_back(table.captionRow);
        EXPECT_EQ(captions, c.captions);
    }
}

TEST(CopyOut, ATableCarriesItsNote) {
    const Workbook book = Report();
    const Sheet& sheet = book.activeSheet();
    const std::vector<SheetTables> second{{&sheet, RuledTablesMeeting(sheet, Range("C13"))}};
    EXPECT_EQ(ThreeLineTablesText(second), "表2\n组\t率\nR\t37.50%\n注: 率为阳性率\n");
    const std::string html = ThreeLineTablesHtml(second);
    const auto table = html.find("</table>"), note = html.find("注: 率为阳性率");
    ASSERT_NE(note, std::string::npos) << html;
    EXPECT_GT(note, table) << "the note follows its table";
    EXPECT_EQ(html.find("表1"), std::string::npos);
    EXPECT_TRUE(ThreeLineTablesHtml(std::vector<SheetTables>{{&sheet, {}}}).empty());
}

TEST(CopyOut, ThreeLineTablesHaveThreeRulesAndNoVerticalLines) {
    const std::string html = ThreeLineTablesHtml(Report());
    EXPECT_NE(html.find("表1 检验结果"), std::string::npos);
    EXPECT_EQ(html.find("注: 说明文字"), std::string::npos) << "loose text is not a table";
    auto count = [&](const std::string& what) {
        std::size_t n = 0;
        for (auto at = html.find(what); at != std::string::npos; at = html.find(what, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count("<table"), 2u);
    // Table 1: three header cells with the thick top and thin bottom rule, two
    // body rows (the blank spacing row dropped), the last with the thick bottom.
    EXPECT_EQ(count("<tr>"), 3u + 2u);
    EXPECT_EQ(count("border-top:1.5pt solid"), 3u + 2u);
    EXPECT_EQ(count("border-bottom:0.75pt solid"), 3u + 2u);
    EXPECT_EQ(count("border-bottom:1.5pt solid"), 3u + 2u);
    EXPECT_EQ(count("border-left:none;border-right:none;"), count("<td") + count("<th"));
    EXPECT_TRUE(ThreeLineTablesHtml(Workbook{}).empty());

    // For the check that LibreOffice Writer takes it as a real table.
    std::ofstream(TAVELMARK_COPYOUT_HTML) << html;
}

}  // namespace
}  // namespace tavelmark::copyout
