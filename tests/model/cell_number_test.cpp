#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "model/cell_number.h"

namespace tavelmark::model {
namespace {

// Expected values are the decimal forms themselves, read as a C++ literal.
TEST(ReadCellNumber, DecimalFormsAreNumbers) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"14", 14},       {"2.9", 2.9},           {".5", 0.5},          {"5.", 5},
        {"-3.25", -3.25}, {"+7", 7},              {"1e3", 1000},        {"2.5E-4", 2.5e-4},
        {"-.5e+3", -500}, {"00012", 12},          {" \t42 \r\n", 42},   {"1e308", 1e308},
        {"1.7976931348623157e308", 1.7976931348623157e308},         {"-1e308", -1e308},
        {"1e-308", 1e-308},                       {"1e-320", 1e-320},   {"4.9e-324", 4.9e-324},
        {"0e-999", 0},    {"１２．５", 12.5},     {"－３", -3},         {"\u3000７\u3000", 7},
        {"\u00a08", 8},   {"１ｅ２", 100},
    };
    for (const auto& c : cases) {
        const auto number = ReadCellNumber(c.text);
        ASSERT_TRUE(number) << c.text;
        EXPECT_EQ(*number, c.value) << c.text;
    }
    const auto minusZero = ReadCellNumber("-0");
    ASSERT_TRUE(minusZero);
    EXPECT_TRUE(*minusZero == 0 && std::signbit(*minusZero));
}

TEST(ReadCellNumber, EverythingElseIsText) {
    for (const char* text : {
             "", " ", "abc", "1.2.3", ".", "-", "+", "e5", "1e", "1e+", "--1", "+-1", "1 2", "1,5",
             "1,000", "50%", "$5", "5d", "1e5.5", "0x10", "0x1p3", "1_000",
             // What a double holds but no user means as data.
             "inf", "INF", "-inf", "+Inf", "Infinity", "-Infinity", "nan", "NaN", "-NaN", "+nan",
             "nan(123)", "ｉｎｆ", "－ｉｎｆ",
             // Beyond a double both ways, rather than infinity or a silent 0.
             "1e400", "-1e309", "1e-400", "2e-324",
             // Digit-like marks.
             "①", "²", "½", "𝟏", "٣"}) {
        EXPECT_EQ(ReadCellNumber(text), std::nullopt) << text;
    }
}

}  // namespace
}  // namespace tavelmark::model
