// Numbers shown through the formats our grids and reports use. Expected
// texts follow the spreadsheet's documented display rules (15 significant
// digits kept, rounding half away from zero, "_x" pads the width of x, "%"
// multiplies by 100), worked out by hand for each case.
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "format/number_format.h"

namespace tavelmark::format {
namespace {

struct Shown {
    double value;
    const char* format;
    const char* text;
};

TEST(NumberFormat, FixedDecimalPatterns) {
    const Shown cases[] = {
        // Report cells of the Bliss tables and chart ticks: fixed decimals, pad.
        {1.23455, "0.0000_ ", "1.2346 "},   // the double is 1.2345499..., shown from its 15 digits
        {-0.5, "0.0000_ ", "-0.5000 "},
        {0.0000004, "0.0000_ ", "0.0000 "},
        {-0.00004, "0.0000_ ", "-0.0000 "},  // the sign stays, as the spreadsheet shows it
        {2.5e-7, "0.000000_ ", "0.000000 "},
        {5e-7, "0.000000_ ", "0.000001 "},
        {12345.6789, "0.000000_ ", "12345.678900 "},
        {3.14159, "0.00_ ", "3.14 "},
        {9.995, "0.00_ ", "10.00 "},        // carry into a new integer digit
        {1.005, "0.00_ ", "1.01 "},
        // Input grid columns.
        {1234.5, "#####0.0000", "1234.5000"},
        {0.25, "#####0.0000", "0.2500"},
        {-3.14159, "####0.0000", "-3.1416"},
        {12345678.9, "####0.0000", "12345678.9000"},  // more digits than placeholders
        {2.0005, "#####0.000", "2.001"},
        {2.5, "#####0", "3"},
        {-2.5, "0", "-3"},                   // half away from zero, not to even
        {0.4, "0", "0"},
        {1e16, "0", "10000000000000000"},
        // Percentages: the value times 100, taken on its decimal digits.
        {0.125, "0%", "13%"},
        {1, "0%", "100%"},
        {0.12345, "0.00%", "12.35%"},
        {-0.0512, "0.00%", "-5.12%"},
        // The rest of the format language, as far as it is cheap to honour.
        {1234567.891, "#,##0.00", "1,234,567.89"},
        {999.5, "#,##0", "1,000"},
        {0.5, "#.##", ".5"},
        {12.5, ".00", "12.50"},
        {1234567, "0.0,,", "1.2"},
        {-1.5, "0.00;(0.00)", "(1.50)"},
        {0, "0;-0;\"none\"", "none"},
        {7, "\"n = \"0", "n = 7"},
        {12345, "0.00E+00", "1.23E+04"},
        {0.000123, "0.00E+00", "1.23E-04"},
        {99999, "0.0E+00", "1.0E+05"},
        {2.5, "[Red]0.0", "2.5"},
        {-2.5, "General", "-2.5"},
        {0.1, "", "0.1"},
    };
    for (const Shown& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " as \"" << c.format << "\"");
        EXPECT_EQ(FormatNumber(c.value, c.format), c.text);
    }
}

TEST(NumberFormat, GeneralShowsUpToElevenCharacters) {
    const Shown cases[] = {
        {0, "General", "0"},
        {1, "General", "1"},
        {-2.5, "General", "-2.5"},
        {0.1 + 0.2, "General", "0.3"},
        {1.0 / 3.0, "General", "0.333333333"},
        {2.0 / 3.0, "General", "0.666666667"},
        {-2.0 / 3.0, "General", "-0.666666667"},
        {123456.7891234, "General", "123456.7891"},
        {99.999999999, "General", "100"},
        {99.99999999, "General", "99.99999999"},
        {12345678901, "General", "12345678901"},
        {123456789012, "General", "1.23457E+11"},
        {1e15, "General", "1E+15"},
        {0.0001, "General", "0.0001"},
        {0.00001234, "General", "0.00001234"},
        {0.000012345678, "General", "1.23457E-05"},
        {-0.000012345678, "General", "-1.23457E-05"},
        {1e-10, "General", "1E-10"},
        {1.5e-300, "General", "1.5E-300"},
        {0.031817256838457868, "General", "0.031817257"},
        {12.5392, "GENERAL", "12.5392"},
    };
    for (const Shown& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value);
        EXPECT_EQ(FormatNumber(c.value, c.format), c.text);
        EXPECT_EQ(GeneralNumberText(c.value), c.text);
    }
}

// A narrower cell shows fewer decimals, then fewer significant digits in
// scientific form, then nothing that fits (the caller shows ###). Widths
// count the characters besides the sign; each text is worked by hand from
// that rule: decimals = width - integer digits - 1, scientific with as many
// of its six digits as the width leaves beside "E+00".
TEST(NumberFormat, GeneralNarrowsToTheRoomItHas) {
    struct Fitted {
        double value;
        int width;
        const char* text;
    };
    const Fitted cases[] = {
        {1.0 / 3.0, 11, "0.333333333"},
        {1.0 / 3.0, 8, "0.333333"},
        {1.0 / 3.0, 3, "0.3"},
        {1.0 / 3.0, 2, ""},  // 0 would hide a third; no scientific form fits in 2
        {2.0 / 3.0, 1, "1"},
        {-2.0 / 3.0, 4, "-0.67"},
        {100.0 / 3.0, 10, "33.3333333"},
        {36.918405733, 10, "36.9184057"},
        {123456.7891234, 8, "123456.8"},
        {123456.7891234, 6, "123457"},
        {123456.7891234, 5, "1E+05"},
        {123456.7891234, 4, ""},
        {99.999999999, 4, "100"},
        {9999.6, 4, ""},  // 10000 needs five
        {9999.6, 5, "10000"},
        {0.00001234, 11, "0.00001234"},
        {0.000012345678, 8, "1.23E-05"},
        {0.000012345678, 7, "1.2E-05"},
        {0.000012345678, 6, "1E-05"},
        {0.000012345678, 4, ""},
        {1.5e-300, 7, "2E-300"},
        {1.4e299, 11, "1.4E+299"},
        {0, 1, "0"},
    };
    for (const Fitted& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " in " << c.width);
        EXPECT_EQ(GeneralNumberText(c.value, c.width), c.text);
    }
    // Eleven is the standard cell's width.
    for (const double v : {1.0 / 3.0, 123456789012.0, 0.000012345678, -2.5})
        EXPECT_EQ(GeneralNumberText(v, 11), GeneralNumberText(v));
}

TEST(NumberFormat, GeneralIsRecognisedInAnyCase) {
    for (const char* general : {"General", "GENERAL", " general ", ""}) EXPECT_TRUE(IsGeneralFormat(general)) << general;
    for (const char* other : {"0.00", "General\" mg\"", "Generally", "0.0000_ "}) EXPECT_FALSE(IsGeneralFormat(other)) << other;
}

TEST(NumberFormat, NonFiniteValuesShowAnErrorInsteadOfDigits) {
    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::quiet_NaN(), "0.00"), "#NUM!");
    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::infinity(), "General"), "#NUM!");
    EXPECT_EQ(GeneralNumberText(-std::numeric_limits<double>::infinity()), "#NUM!");
}

}  // namespace
}  // namespace tavelmark::format
