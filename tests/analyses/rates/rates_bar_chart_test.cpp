// The bar chart of the extended rates sheet: a bar per group at its rate,
// error bars reaching its Wilson limits.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "analyses/rates/extended_rates.h"
#include "support/chart_cells.h"
#include "support/tolerance.h"

namespace tavelmark::rates {
namespace {

using model::CellRef, model::Sheet, model::Workbook;

struct BarCase {
    const char* name;
    double a, b, c, d;  // R positives, negatives; T positives, negatives
    // Rate, Wilson lower and upper limit of R, then of T:
    // R 4.x, prop.test(x, n, correct = FALSE)$estimate and $conf.int.
    double rates[2], lower[2], upper[2];
};

const BarCase kBarCases[] = {
    {"worked example", 12, 20, 19, 11,
     {0.375, 19.0 / 30}, {0.229338873094542, 0.455135636547949}, {0.547455926469225, 0.781260791938993}},
    {"no response in R", 0, 20, 7, 13, {0, 0.35}, {0, 0.181191824101082}, {0.161125158052819, 0.567145723314764}},
    {"every animal of R responds", 15, 0, 3, 12,
     {1, 0.2}, {0.796116698964151, 0.0704754934698156}, {1, 0.4518544871516935}},
};

class RatesBarChart : public ::testing::TestWithParam<BarCase> {};

TEST_P(RatesBarChart, BarsStandAtTheRatesAndTheirErrorBarsReachTheWilsonLimits) {
    const BarCase& k = GetParam();
    Workbook book;
    WriteExtendedResults(book, ComputeExtendedRates(MakeRateTable(k.a, k.b, k.c, k.d)));
    const Sheet& sheet = book.sheets.back();
    const model::Chart* chart = test::OnlyChart(sheet);
    ASSERT_NE(chart, nullptr);
    ASSERT_EQ(chart->series.size(), 1u);
    const model::ChartSeries& bars = chart->series.front();
    EXPECT_EQ(bars.kind, model::SeriesKind::Column);
    ASSERT_TRUE(bars.errorPlus && bars.errorMinus);

    // The bars are labelled by the texts of their category cells, R first.
    EXPECT_EQ(model::PlainText(sheet.value(bars.xValues.first)), "R组");
    EXPECT_EQ(model::PlainText(sheet.value(bars.xValues.last)), "T组");
    const auto heights = test::CellNumbers(sheet, bars.yValues);
    const auto plus = test::CellNumbers(sheet, *bars.errorPlus);
    const auto minus = test::CellNumbers(sheet, *bars.errorMinus);
    ASSERT_EQ(heights.size(), 2u);
    ASSERT_EQ(plus.size(), 2u);
    ASSERT_EQ(minus.size(), 2u);
    for (int g = 0; g < 2; ++g) {
        SCOPED_TRACE(g == 0 ? "R" : "T");
        ASSERT_TRUE(heights[g] && plus[g] && minus[g]);
        EXPECT_TRUE(test::Near(*heights[g], k.rates[g], 1e-12, 1e-15));
        EXPECT_TRUE(test::Near(*heights[g] - *minus[g], k.lower[g], 1e-9, 1e-12));
        EXPECT_TRUE(test::Near(*heights[g] + *plus[g], k.upper[g], 1e-9, 1e-12));
        EXPECT_GE(*plus[g], 0);
        EXPECT_GE(*minus[g], 0);
    }
    EXPECT_EQ(chart->yAxis.minimum, 0.0);
    EXPECT_EQ(chart->yAxis.maximum, 1.0);
    EXPECT_FALSE(chart->title.empty());
    EXPECT_EQ(chart->yAxis.title, "阳性率");
}

INSTANTIATE_TEST_SUITE_P(Tables, RatesBarChart, ::testing::ValuesIn(kBarCases),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

}  // namespace
}  // namespace tavelmark::rates
