#include <gtest/gtest.h>

#include <limits>

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

TEST(NumberText, NonFiniteValuesNeverLookLikeNumbers) {
    EXPECT_EQ(RoundedText(std::numeric_limits<double>::infinity(), 4), "Inf");
    EXPECT_EQ(RoundedText(std::numeric_limits<double>::quiet_NaN(), 4), "NaN");
}

}  // namespace
}  // namespace tavelmark::format
