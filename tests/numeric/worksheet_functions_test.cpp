// Worksheet functions: published values, the spreadsheet's truncation of
// degrees of freedom, and every refusal the analyses rely on.
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "numeric/worksheet_functions.h"
#include "support/tolerance.h"

namespace tavelmark::numeric::wsf {
namespace {

using V = std::vector<double>;

struct Published {
    const char* what;
    std::optional<double> actual;
    double expected;
    int decimals;  // as many as the source prints
};

TEST(WorksheetFunctions, MatchPublishedValues) {
    const V d{3, 4, 5, 2, 3, 4, 5, 6, 4, 7};
    const Published cases[] = {
        // Student t and chi-square tables (any statistics textbook's appendix;
        // t with 9999 df is the normal: two-sided P of z = 2.147 is 0.0318).
        {"TDIST(2.1470, 9999, 2)", Tdist(2.1470, 9999, 2), 0.031817, 6},
        {"TINV(0.05, 4)", Tinv(0.05, 4), 2.7764, 4},
        {"TINV(0.01, 10)", Tinv(0.01, 10), 3.1693, 4},
        {"TINV(0.05, 9999), the normal 1.96", Tinv(0.05, 9999), 1.9602, 4},
        {"TINV(0.10, 9999), the normal 1.645", Tinv(0.10, 9999), 1.6450, 4},
        {"CHIDIST(3.4078, 4)", Chidist(3.4078, 4), 0.4920, 4},
        {"CHIDIST(3.841459, 1), the 5% point", Chidist(3.841459, 1), 0.05, 6},
        // Examples printed in the spreadsheet's own function help.
        {"TDIST(1.959999998, 60, 2)", Tdist(1.959999998, 60, 2), 0.054644930, 9},
        {"TDIST(1.959999998, 60, 1)", Tdist(1.959999998, 60, 1), 0.027322465, 9},
        {"CHIDIST(18.307, 10)", Chidist(18.307, 10), 0.050001, 6},
        {"FINV(0.01, 6, 4)", Finv(0.01, 6, 4), 15.20686486, 8},
        {"TTEST paired, two tails",
         Ttest(V{3, 4, 5, 8, 9, 1, 2, 4, 5}, V{6, 19, 3, 2, 14, 4, 5, 17, 1}, 2, 1), 0.196016, 6},
        {"SKEW", Skew(d), 0.359543, 6},
        {"KURT", Kurt(d), -0.151799637, 9},
        {"PERCENTILE({1,3,2,4}, 0.3)", Percentile(V{1, 3, 2, 4}, 0.3), 1.9, 10},
        // Worked example of the manual: quartiles of 1, 2, 3.
        {"lower quartile of 1, 2, 3", Percentile(V{1, 2, 3}, 0.25), 1.5, 10},
        {"upper quartile of 1, 2, 3", Percentile(V{1, 2, 3}, 0.75), 2.5, 10},
    };
    for (const Published& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(c.actual.has_value());
        EXPECT_TRUE(test::SameTo(*c.actual, c.expected, c.decimals));
    }
}

// Fractional degrees of freedom are cut to the whole number below, so the
// means analysis's corrected df of 19.7 acts as 19.
TEST(WorksheetFunctions, TruncateFractionalDegreesOfFreedom) {
    EXPECT_EQ(Tdist(2.1, 19.7, 2), Tdist(2.1, 19, 2));
    EXPECT_EQ(Tdist(2.1, 1.99, 1), Tdist(2.1, 1, 1));
    EXPECT_EQ(Tinv(0.05, 4.9), Tinv(0.05, 4));
    EXPECT_EQ(Chidist(3.0, 2.5), Chidist(3.0, 2));
    EXPECT_EQ(Finv(0.05, 6.9, 4.2), Finv(0.05, 6, 4));
    EXPECT_NE(Tdist(2.1, 19.7, 2), Tdist(2.1, 20, 2));
}

TEST(WorksheetFunctions, TinvInvertsTdistAndEdgesAreExact) {
    for (double df : {1.0, 3.0, 17.0, 9999.0})
        for (double p : {0.001, 0.05, 0.3, 0.9}) {
            SCOPED_TRACE(testing::Message() << "p " << p << " df " << df);
            EXPECT_TRUE(test::Near(*Tdist(*Tinv(p, df), df, 2), p, 1e-12));
        }
    EXPECT_EQ(Tdist(0, 5, 2), 1.0);
    EXPECT_EQ(Tdist(0, 5, 1), 0.5);
    EXPECT_EQ(Tinv(1, 7), 0.0);
    EXPECT_EQ(Chidist(0, 3), 1.0);
    EXPECT_EQ(Finv(1, 3, 8), 0.0);
}

TEST(WorksheetFunctions, ModeTakesTheMostFrequentThenTheFirstMet) {
    EXPECT_EQ(Mode(V{2, 1, 1, 2, 3}), 2.0);     // 2 and 1 tie; 2 comes first
    EXPECT_EQ(Mode(V{1, 2, 2, 2, 1}), 2.0);     // 2 is more frequent than the earlier 1
    EXPECT_EQ(Mode(V{5, 0.0, -0.0, 7}), 0.0);   // 0 and -0 are one value
    EXPECT_EQ(Mode(V{1, 2, 3}), std::nullopt);  // worked example of the manual
}

TEST(WorksheetFunctions, TtestUsesTheTailBeyondAbsoluteT) {
    const V low{1.1, 2.3, 1.9, 2.8, 2.0};
    const V high{3.4, 2.9, 4.1, 3.6, 3.3};
    for (int type : {1, 2, 3}) {
        SCOPED_TRACE(type);
        EXPECT_EQ(Ttest(low, high, 1, type), Ttest(high, low, 1, type));
        EXPECT_LT(*Ttest(low, high, 1, type), 0.5);
        EXPECT_TRUE(test::Near(*Ttest(low, high, 2, type), 2 * *Ttest(low, high, 1, type), 1e-15));
    }
}

TEST(WorksheetFunctions, StatisticsKeepDigitsUnderALargeOffset) {
    V shifted{1, 2, 3, 4, 5, 9};
    for (double& v : shifted) v += 1e9;
    const V plain{1, 2, 3, 4, 5, 9};
    EXPECT_TRUE(test::Near(*Stdev(shifted), *Stdev(plain), 1e-9));
    EXPECT_TRUE(test::Near(*Skew(shifted), *Skew(plain), 1e-6));
    EXPECT_TRUE(test::Near(*Kurt(shifted), *Kurt(plain), 1e-6));
}

struct Refusal {
    const char* what;
    std::function<std::optional<double>()> call;
};

TEST(WorksheetFunctions, RefuseWhatTheSpreadsheetAnswersWithAnError) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const V none{};
    const V one{4};
    const V constant{3, 3, 3, 3};
    const Refusal cases[] = {
        {"AVERAGE of nothing", [&] { return Average(none); }},
        {"MIN of nothing", [&] { return Min(none); }},
        {"MAX of nothing", [&] { return Max(none); }},
        {"MEDIAN of nothing", [&] { return Median(none); }},
        {"STDEV of one value", [&] { return Stdev(one); }},
        {"PERCENTILE k below 0", [] { return Percentile(V{1, 2}, -0.01); }},
        {"PERCENTILE k above 1", [] { return Percentile(V{1, 2}, 1.01); }},
        {"PERCENTILE of nothing", [&] { return Percentile(none, 0.5); }},
        {"MODE without repeats", [] { return Mode(V{4, 1, 3}); }},
        {"MODE of nothing", [&] { return Mode(none); }},
        {"GEOMEAN with a zero", [] { return Geomean(V{1, 0, 3}); }},
        {"GEOMEAN with a negative", [] { return Geomean(V{1, -2, 3}); }},
        {"HARMEAN with a zero", [] { return Harmean(V{1, 0, 3}); }},
        {"HARMEAN with a negative", [] { return Harmean(V{2, -2, 3}); }},
        {"SKEW of two values", [] { return Skew(V{1, 2}); }},
        {"SKEW of constant data", [&] { return Skew(constant); }},
        {"KURT of three values", [] { return Kurt(V{1, 2, 4}); }},
        {"KURT of constant data", [&] { return Kurt(constant); }},
        {"ASIN above 1", [] { return Asin(1.0000001); }},
        {"ASIN below -1", [] { return Asin(-1.5); }},
        {"CHIDIST negative x", [] { return Chidist(-0.1, 1); }},
        {"CHIDIST df below 1", [] { return Chidist(1, 0.9); }},
        {"CHIDIST df 1e10", [] { return Chidist(1, 1e10); }},
        {"FINV p 0 (infinite F)", [] { return Finv(0, 3, 4); }},
        {"FINV p above 1", [] { return Finv(1.2, 3, 4); }},
        {"FINV df1 below 1", [] { return Finv(0.05, 0.5, 4); }},
        {"FINV df2 below 1", [] { return Finv(0.05, 3, 0); }},
        {"TDIST negative x", [] { return Tdist(-0.5, 10, 2); }},
        {"TDIST df 0 (N < 2)", [] { return Tdist(1.2, 0, 2); }},
        {"TDIST df 0.99 truncates to 0", [] { return Tdist(1.2, 0.99, 2); }},
        {"TDIST tails 0", [] { return Tdist(1.2, 10, 0); }},
        {"TDIST tails 3", [] { return Tdist(1.2, 10, 3); }},
        {"TINV p 0", [] { return Tinv(0, 10); }},
        {"TINV p negative", [] { return Tinv(-0.05, 10); }},
        {"TINV p above 1", [] { return Tinv(1.5, 10); }},
        {"TINV df below 1", [] { return Tinv(0.05, 0.5); }},
        {"TTEST tails 3", [] { return Ttest(V{1, 2, 3}, V{2, 3, 5}, 3, 2); }},
        {"TTEST type 0", [] { return Ttest(V{1, 2, 3}, V{2, 3, 5}, 2, 0); }},
        {"TTEST type 4", [] { return Ttest(V{1, 2, 3}, V{2, 3, 5}, 2, 4); }},
        {"TTEST paired, unequal lengths", [] { return Ttest(V{1, 2, 3}, V{2, 3}, 2, 1); }},
        {"TTEST paired, one pair", [] { return Ttest(V{1}, V{2}, 2, 1); }},
        {"TTEST paired, constant differences", [] { return Ttest(V{1, 2, 3}, V{2, 3, 4}, 2, 1); }},
        {"TTEST pooled, no degree of freedom", [] { return Ttest(V{1}, V{2}, 2, 2); }},
        {"TTEST pooled, no spread", [] { return Ttest(V{1, 1}, V{2, 2}, 2, 2); }},
        {"TTEST pooled, empty group", [&] { return Ttest(none, V{1, 2, 3}, 2, 2); }},
        {"TTEST Welch, one value in a group", [] { return Ttest(V{1}, V{2, 3, 4}, 2, 3); }},
        {"TTEST Welch, no spread", [] { return Ttest(V{1, 1}, V{2, 2, 2}, 2, 3); }},
        {"SLOPE unequal lengths", [] { return Slope(V{1, 2, 3}, V{1, 2}); }},
        {"SLOPE x all equal", [] { return Slope(V{1, 2, 3}, V{5, 5, 5}); }},
        {"SLOPE of nothing", [&] { return Slope(none, none); }},
        {"INTERCEPT x all equal", [] { return Intercept(V{1, 2}, V{5, 5}); }},
        {"INTERCEPT unequal lengths", [] { return Intercept(V{1, 2}, V{5, 6, 7}); }},
        // Non-finite input and results that overflow.
        {"AVERAGE with infinity", [&] { return Average(V{1, inf}); }},
        {"STDEV with NaN", [&] { return Stdev(V{1, nan, 3}); }},
        {"MODE with NaN", [&] { return Mode(V{nan, nan}); }},
        {"AVERAGE overflowing", [] { return Average(V{1.7e308, 1.7e308}); }},
        {"TDIST NaN x", [&] { return Tdist(nan, 5, 2); }},
        {"CHIDIST NaN df", [&] { return Chidist(1, nan); }},
        {"TINV infinite df", [&] { return Tinv(0.05, inf); }},
        {"SLOPE with infinity", [&] { return Slope(V{1, inf}, V{1, 2}); }},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.call(), std::nullopt);
    }
}

}  // namespace
}  // namespace tavelmark::numeric::wsf
