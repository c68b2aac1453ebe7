// MEDIAN, PERCENTILE and MODE of values sorted once by the caller give
// exactly what the functions give on the unsorted range: same value to the
// last bit (the sign of a zero included) and the same refusals.
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "numeric/worksheet_functions.h"

namespace tavelmark::numeric::wsf {
namespace {

using V = std::vector<double>;

::testing::AssertionResult Identical(std::optional<double> sorted, std::optional<double> plain) {
    if (!sorted && !plain) return ::testing::AssertionSuccess();
    if (sorted && plain && *sorted == *plain && std::signbit(*sorted) == std::signbit(*plain))
        return ::testing::AssertionSuccess();
    auto text = [](std::optional<double> v) { return v ? std::to_string(*v) : std::string("refused"); };
    return ::testing::AssertionFailure() << "sorted variant " << text(sorted) << ", plain " << text(plain);
}

V Ascending(V x) {
    std::sort(x.begin(), x.end());
    return x;
}

// Values rounded to one decimal, so that large ranges meet many ties.
V RoundedNormal(std::size_t n, unsigned seed) {
    std::mt19937 engine(seed);
    std::normal_distribution<double> normal(-3, 6);
    V values(n);
    for (double& v : values) v = std::round(normal(engine) * 10) / 10;
    return values;
}

struct Range {
    const char* what;
    V x;
};

TEST(WorksheetFunctionsOfSorted, AnswerAsThePlainFunctions) {
    const Range ranges[] = {
        {"nothing", {}},
        {"one value", {4.5}},
        {"two values", {7, -2}},
        {"two equal values", {3, 3}},
        {"negative values", {-1.5, -7, -3.25, -0.5, -7}},
        {"ties, first met wins", {2, 1, 1, 2, 3}},
        {"a later, more frequent value", {1, 2, 2, 2, 1}},
        {"three equally frequent values", {9, 4, 6, 6, 4, 9, 5}},
        {"no repeats", {4, 1, 3, 10, -8}},
        {"all equal", {5, 5, 5, 5}},
        {"0 typed before -0", {5, 0.0, -0.0, 7}},
        {"-0 typed before 0", {5, -0.0, 0.0, 7}},
        {"zeros in the middle", {-1, -0.0, 0.0, -0.0, 1}},
        {"mixed signs and fractions", {0.1, -0.2, 0.3, 0.1, -0.2, 1e-300, -1e300, 1e300}},
        {"large offset", {1e9 + 1, 1e9 + 3, 1e9 + 2, 1e9 + 3, 1e9}},
        {"1,001 rounded values", RoundedNormal(1001, 11)},
        {"10,000 rounded values", RoundedNormal(10000, 12)},
    };
    const double ks[] = {0.0, 0.1, 0.25, 0.3, 0.5, 0.75, 0.9, 0.999, 1.0};
    for (const Range& r : ranges) {
        SCOPED_TRACE(r.what);
        const V sorted = Ascending(r.x);
        EXPECT_TRUE(Identical(MedianOfSorted(sorted), Median(r.x)));
        for (double k : ks) {
            SCOPED_TRACE(k);
            EXPECT_TRUE(Identical(PercentileOfSorted(sorted, k), Percentile(r.x, k)));
        }
        EXPECT_TRUE(Identical(ModeOfSorted(r.x, sorted), Mode(r.x)));
    }
}

TEST(WorksheetFunctionsOfSorted, RefuseWhatThePlainFunctionsRefuse) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const V sorted{1, 2, 2, 3};
    EXPECT_EQ(PercentileOfSorted(sorted, -0.01), std::nullopt);
    EXPECT_EQ(PercentileOfSorted(sorted, 1.01), std::nullopt);
    EXPECT_EQ(PercentileOfSorted(sorted, nan), std::nullopt);
    EXPECT_EQ(MedianOfSorted(V{}), std::nullopt);
    EXPECT_EQ(ModeOfSorted(V{}, V{}), std::nullopt);
    // Non-finite values are refused before their order is looked at.
    EXPECT_EQ(MedianOfSorted(V{1, inf}), std::nullopt);
    EXPECT_EQ(MedianOfSorted(V{1, nan, 2}), std::nullopt);
    EXPECT_EQ(ModeOfSorted(V{nan, nan}, V{nan, nan}), std::nullopt);
    EXPECT_EQ(ModeOfSorted(V{inf, inf}, V{inf, inf}), std::nullopt);
}

}  // namespace
}  // namespace tavelmark::numeric::wsf
