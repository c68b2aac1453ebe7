#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli_support.h"
#include "cli/csv_reader.h"

namespace tavelmark::cli {
namespace {

TEST(CsvReader, SeparatorsQuotesAndLineEnds) {
    struct Case {
        const char* text;
        CsvTable expected;
    };
    const Case cases[] = {
        {"a,b\n1,2\n", {{"a", "b"}, {"1", "2"}}},
        {"a\tb,c\r\n1\t2\r\n", {{"a", "b,c"}, {"1", "2"}}},
        {"a;b;c\n1,5;2;\n", {{"a", "b", "c"}, {"1,5", "2", ""}}},
        {"\"x,y\",\"say \"\"hi\"\"\"\nlast", {{"x,y", "say \"hi\""}, {"last"}}},
        {",,\n", {{"", "", ""}}},
        {"", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseCsv(c.text), c.expected) << c.text;
}

TEST(CsvReader, DecodesUtf8WithBomAndGbk) {
    EXPECT_EQ(DecodeText("\xEF\xBB\xBF" "第1批"), "第1批");
    EXPECT_EQ(DecodeText("\xB5\xDA" "1" "\xC5\xFA"), "第1批");  // 第1批 in GBK
    EXPECT_EQ(DecodeText("plain"), "plain");
}

TEST(LoadInputGrid, NumbersTextsAndWhatLiesOutsideTheGrid) {
    InputGrid grid;
    grid.activeSheet().setViewableRange(Range("A1:C3"));
    grid.setValue("B2", 999.0);  // whatever was there before is replaced
    std::ostringstream err;
    ASSERT_TRUE(LoadInputGrid(TAVELMARK_TEST_DATA "/gbk_tab.csv", grid, err));
    EXPECT_EQ(std::get<std::string>(grid.value("A1")), "批次");
    EXPECT_EQ(AsNumber(grid.value("B2")), 14.0);
    EXPECT_EQ(AsNumber(grid.value("C3")), 5.0);
    EXPECT_EQ(err.str(), "");

    std::ostringstream err2;
    ASSERT_TRUE(LoadInputGrid(TAVELMARK_TEST_DATA "/ldk_too_many_rows.csv", grid, err2));
    EXPECT_TRUE(IsEmpty(grid.value("D1")));
    EXPECT_NE(err2.str().find("有 18 个数据位于输入表格 A1:C3 之外"), std::string::npos) << err2.str();

    std::ostringstream err3;
    EXPECT_FALSE(LoadInputGrid("/nonexistent.csv", grid, err3));
    EXPECT_NE(err3.str().find("无法读取"), std::string::npos);
}

}  // namespace
}  // namespace tavelmark::cli
