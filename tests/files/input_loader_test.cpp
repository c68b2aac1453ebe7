#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>

#include "files/csv_reader.h"
#include "files/input_loader.h"

namespace tavelmark::files {

using model::AsNumber, model::CellName, model::CellRef, model::InputGrid, model::IsEmpty,
    model::Range;

namespace {

TEST(LoadInputGrid, NumbersTextsAndWhatLiesOutsideTheGrid) {
    InputGrid grid;
    grid.activeSheet().setViewableRange(Range("A1:C3"));
    grid.setValue("B2", 999.0);  // whatever was there before is replaced
    std::ostringstream err;
    ASSERT_EQ(LoadInputGrid(TAVELMARK_TEST_DATA "/gbk_tab.csv", grid, err), LoadStatus::Loaded);
    EXPECT_EQ(std::get<std::string>(grid.value("A1")), "批次");
    EXPECT_EQ(AsNumber(grid.value("B2")), 14.0);
    EXPECT_EQ(AsNumber(grid.value("C3")), 5.0);
    EXPECT_EQ(err.str(), "");

    std::ostringstream err2;
    std::int64_t outside = -1;
    ASSERT_EQ(LoadInputGrid(TAVELMARK_TEST_DATA "/ldk_too_many_rows.csv", grid, err2, &outside), LoadStatus::Loaded);
    EXPECT_TRUE(IsEmpty(grid.value("D1")));
    EXPECT_NE(err2.str().find("有 18 个数据位于输入表格 A1:C3 之外"), std::string::npos) << err2.str();
    EXPECT_EQ(outside, 18);  // the count a window words its own warning with

    std::ostringstream err3;
    EXPECT_EQ(LoadInputGrid("/nonexistent.csv", grid, err3), LoadStatus::Unreadable);
    EXPECT_NE(err3.str().find("无法读取"), std::string::npos);
    EXPECT_EQ(LoadInputGrid(TAVELMARK_TEST_DATA, grid, err3), LoadStatus::Unreadable);
}

// Only a finite decimal number is a number; what a double could also hold
// (infinities, NaN, hex, beyond its range) stays the text it was.
TEST(LoadInputGrid, NonNumbersStayText) {
    InputGrid grid;
    grid.activeSheet().setViewableRange(Range("A1:C4"));
    std::ostringstream err;
    ASSERT_EQ(LoadInputGrid(TAVELMARK_TEST_DATA "/non_numbers.csv", grid, err), LoadStatus::Loaded);
    const char* texts[][3] = {{"inf", "-inf", "+Inf"},
                              {"Infinity", "-Infinity", "NaN"},
                              {"-nan", "nan(123)", "0x1p3"},
                              {"1e400", "1e-400", nullptr}};
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 3; ++column) {
            const CellRef cell{row + 1, column + 1};
            if (!texts[row][column]) continue;
            const auto* text = std::get_if<std::string>(&grid.value(cell));
            ASSERT_NE(text, nullptr) << CellName(cell);
            EXPECT_EQ(*text, texts[row][column]);
        }
    EXPECT_EQ(AsNumber(grid.value("C4")), -2500.0);
}

// The first byte that is not UTF-8 comes after the first pieces of the file:
// the whole file is read again as GBK, headings included.
TEST(LoadInputGrid, ReadsAgainAsGbkWhenALateByteIsNotUtf8) {
    InputGrid grid;
    grid.activeSheet().setViewableRange(Range("A1:B3"));
    std::string csv = "LD50," + std::string(300000, 'x') + "\n\xB5\xDA" "1" "\xC5\xFA,14\n";
    std::istringstream bytes(csv);
    std::ostringstream err;
    ASSERT_EQ(LoadInputGrid(bytes, grid, err), LoadStatus::Loaded);
    EXPECT_EQ(std::get<std::string>(grid.value("A2")), "第1批");
    EXPECT_EQ(AsNumber(grid.value("B2")), 14.0);
    EXPECT_EQ(std::get<std::string>(grid.value("B1")).size(), static_cast<std::size_t>(kMaxFieldCharacters));
}

TEST(LoadInputGrid, AFileThatIsNotTextLeavesTheGridAsItWas) {
    InputGrid grid;
    grid.activeSheet().setViewableRange(Range("A1:B3"));
    grid.setValue("B2", 7.0);
    std::istringstream bytes(std::string("14,2.9\n\xFF\xFF\xFF\n", 11));
    std::ostringstream err;
    EXPECT_EQ(LoadInputGrid(bytes, grid, err), LoadStatus::UnknownEncoding);
    EXPECT_EQ(AsNumber(grid.value("B2")), 7.0);
}

}  // namespace
}  // namespace tavelmark::files
