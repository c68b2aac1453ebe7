#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "format/number_text.h"

namespace tavelmark::format {

namespace {

TEST(NumberText, RoundedShortestAndSpacedForms) {
    struct Case {
        double v;
        int decimals;
        const char* rounded;
        const char* spaced;
    };
    // Forms as the reports print them (worked example values of the Bliss report).
    const Case cases[] = {
        {12.53921, 4, "12.5392", " 12.5392"},
        {0.085249, 4, "0.0852", " .0852"},
        {3.40781, 4, "3.4078", " 3.4078"},
        {-0.5, 4, "-0.5", "-.5"},
        {-1.73164, 4, "-1.7316", "-1.7316"},
        {0.0, 4, "0", " 0"},
        {-0.00001, 4, "0", " 0"},   // rounds to zero: no minus sign
        {2.25, 4, "2.25", " 2.25"},
        {1.23456, 4, "1.2346", " 1.2346"},
        {16.0635, 2, "16.06", " 16.06"},
        {0.125, 2, "0.12", " .12"},  // a true tie goes to the even digit
        {0.375, 2, "0.38", " .38"},
        {2.5, 0, "2", " 2"},
        {100.0, 4, "100", " 100"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RoundedText(c.v, c.decimals), c.rounded) << c.v;
        EXPECT_EQ(SpacedText(c.v, c.decimals), c.spaced) << c.v;
    }
}

TEST(NumberText, DigitPatterns) {
    struct Case {
        double v;
        const char* pattern;
        const char* text;
    };
    const Case cases[] = {
        {0.25, "####0.0000", "0.2500"},
        {-0.25, "####0.0000", "-0.2500"},
        {1234567.891, "####0.0000", "1234567.8910"},
        {0.0318169, "####0.000000", "0.031817"},
        {1e-9, "####0.000000", "0.000000"},
        {2.14704, "####0.0000", "2.1470"},
    };
    for (const auto& c : cases) EXPECT_EQ(PatternText(c.v, c.pattern), c.text) << c.v;
}

TEST(NumberText, EveryTextIsWholeAtAnyMagnitude) {
    // Beyond 15 integer digits a fixed text would show digits the double does
    // not hold: such values are written with their 15 significant digits and
    // an exponent. Below that the fixed form stays, however long.
    struct Case {
        double v;
        int decimals;
        const char* rounded;
        const char* spaced;
    };
    const Case cases[] = {
        {1.253924373643381e299, 4, "1.25392437364338E+299", " 1.25392437364338E+299"},
        {-1.253924373643381e299, 2, "-1.25392437364338E+299", "-1.25392437364338E+299"},
        {1.7976931348623157e308, 6, "1.79769313486232E+308", " 1.79769313486232E+308"},
        {1e15, 4, "1E+15", " 1E+15"},
        {2.5e20, 0, "2.5E+20", " 2.5E+20"},
        {999999999999999.0, 0, "999999999999999", " 999999999999999"},
        {123456789012.34567, 4, "123456789012.3457", " 123456789012.3457"},
        {1e-300, 4, "0", " 0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RoundedText(c.v, c.decimals), c.rounded) << c.v;
        EXPECT_EQ(SpacedText(c.v, c.decimals), c.spaced) << c.v;
    }
    EXPECT_EQ(PatternText(1.5e299, "####0.0000"), "1.5E+299");
    EXPECT_EQ(PatternText(-2e15, "####0.000000"), "-2E+15");

    // Every power of ten a double holds, both signs: the text reads back as
    // the rounded value to the 15 digits it shows, so nothing was cut off.
    for (int exponent = -20; exponent <= 308; ++exponent)
        for (double sign : {1.0, -1.0}) {
            const double v = sign * 1.2345678901234567 * std::pow(10.0, exponent);
            if (!std::isfinite(v)) continue;
            for (const std::string& text : {RoundedText(v, 4), PatternText(v, "####0.000000")}) {
                const double back = std::strtod(text.c_str(), nullptr);
                const double expected = std::fabs(v) < 5e-7 ? 0.0 : v;
                EXPECT_NEAR(back, expected, std::fabs(v) * 1e-14 + 5e-5) << text;
            }
        }
}

TEST(NumberText, NonFiniteValuesNeverLookLikeNumbers) {
    EXPECT_EQ(RoundedText(std::numeric_limits<double>::infinity(), 4), "Inf");
    EXPECT_EQ(RoundedText(std::numeric_limits<double>::quiet_NaN(), 4), "NaN");
}

}  // namespace
}  // namespace tavelmark::format
