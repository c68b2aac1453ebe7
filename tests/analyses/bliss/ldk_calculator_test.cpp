#include "analyses/bliss/ldk_calculator.h"

#include <gtest/gtest.h>

#include "analyses/bliss/bliss_fit.h"
#include "analyses/bliss/leading_number.h"
#include "bliss_fixtures.h"

namespace tavelmark::bliss {
namespace {

BlissHandOver ExampleLine() { return FitBliss(test::WorkedExample(), 0).fit->handOver(); }

TEST(LDkCalculator, WorkedExample) {
    // Worked example of the manual, the calculator after the template's data.
    const struct {
        const char* k;
        const char *ldk, *l95, *ml95;
    } cases[] = {
        {"50", "14.192381", "12.54～16.06", "1.762292"},
        {"95", "27.138302", "21.65～34.01", "6.179327"},
        {"5", "7.422118", "5.92～9.31", "1.695139"},
    };
    const BlissHandOver line = ExampleLine();
    for (const auto& c : cases) {
        const LDkTexts t = LDkTextsFor(line, c.k);
        EXPECT_EQ(t.ldk, c.ldk) << c.k;
        EXPECT_EQ(t.l95, c.l95) << c.k;
        EXPECT_EQ(t.ml95, c.ml95) << c.k;
    }
}

TEST(LDkCalculator, OutOfRangeOrEmptyKEmptiesTheOutputs) {
    const BlissHandOver line = ExampleLine();
    for (const char* k : {"0.001", "99.999", "100", "", "0", "abc"})
        EXPECT_TRUE(LDkTextsFor(line, k).empty()) << '"' << k << '"';
    for (const char* k : {"0.0011", "99.998", "9", "9.5.1"})
        EXPECT_FALSE(LDkTextsFor(line, k).ldk.empty()) << k;
}

TEST(LDkCalculator, ACommandLineTakesExactlyTheLevelsItComputes) {
    // The text read whole, as --ldk takes it: what the box would compute, and
    // nothing the box would show empty.
    const struct {
        const char* k;
        bool computed;
    } cases[] = {
        {"0.0011", true},  {"99.998", true}, {"50", true},     {"5.", true},    {".5", true},
        {"0.001", false},  {"99.999", false}, {"0.0001", false}, {"99.9995", false}, {"0", false},
        {"100", false},    {"", false},       {".", false},      {"9.5.1", false}, {"-5", false},
        {"1e1", false},    {" 5", false},
    };
    const BlissHandOver line = ExampleLine();
    for (const auto& c : cases) {
        EXPECT_EQ(IsComputedLDkLevel(c.k), c.computed) << '"' << c.k << '"';
        if (c.computed) {
            EXPECT_FALSE(LDkTextsFor(line, c.k).empty()) << c.k;
        }
    }
}

TEST(LDkCalculator, ALevelBeyondTheRangeOfNumbersSaysWhy) {
    // The worked example times 5e306: doses up to 1.75e308. LD95's upper
    // limit is 1.70e308, LD99's would be 2.4e308, beyond the largest double.
    const BlissHandOver line =
        FitBliss(test::Groups({1.75e308, 1.25e308, 8.6e307, 6e307, 4.15e307, 2.925e307},
                              {20, 20, 20, 20, 20, 20}, {20, 17, 16, 6, 2, 0}),
                 0)
            .fit->handOver();
    const LDkTexts ld95 = LDkTextsFor(line, "95");
    EXPECT_FALSE(ld95.empty());
    EXPECT_EQ(ld95.why, "");
    const LDkTexts ld99 = LDkTextsFor(line, "99");
    EXPECT_TRUE(ld99.empty());
    EXPECT_EQ(ld99.why, "LDk或其95%可信限超出数值范围, 无法计算");
    // Out of the range the boxes are empty as the calculator leaves them, without a reason.
    EXPECT_EQ(LDkTextsFor(line, "100").why, "");
}

TEST(LDkCalculator, LimitsSurroundTheDoseAndLD50IsTheReportValue) {
    const BlissHandOver line = ExampleLine();
    const auto v50 = ComputeLDk(line, 50);
    ASSERT_TRUE(v50);
    EXPECT_EQ(v50->Yk, 5.0);
    EXPECT_DOUBLE_EQ(v50->LDk, FitBliss(test::WorkedExample(), 0).fit->LD50);
    for (double k : {0.5, 10.0, 70.0, 99.5}) {
        const auto v = ComputeLDk(line, k);
        ASSERT_TRUE(v) << k;
        EXPECT_LT(v->lower, v->LDk) << k;
        EXPECT_GT(v->upper, v->LDk) << k;
    }
    // A line that was never fitted gives nothing rather than NaN.
    EXPECT_FALSE(ComputeLDk(BlissHandOver{}, 50));
}

TEST(LeadingNumber, LongestLeadingDecimalNumber) {
    const struct {
        const char* text;
        double value;
    } cases[] = {{"5", 5},   {"99.9", 99.9}, {"1.2.3", 1.2}, {"", 0},   {"abc", 0},
                 {".5", 0.5}, {"5.", 5},     {"12abc", 12},  {"-5", 0}, {" 7", 7}};
    for (const auto& c : cases) EXPECT_EQ(LeadingNumber(c.text), c.value) << c.text;
    EXPECT_DOUBLE_EQ(BackgroundFraction("99.9"), 0.999);
    EXPECT_DOUBLE_EQ(BackgroundFraction("1.2.3"), 0.012);
    EXPECT_EQ(BackgroundFraction("5"), 0.05);
}

}  // namespace
}  // namespace tavelmark::bliss
