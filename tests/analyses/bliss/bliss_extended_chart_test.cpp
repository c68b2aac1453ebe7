// The dose-response chart of the extended Bliss sheet: the observed rates,
// the maximum-likelihood probit curve and its 95 % band, against log10 dose.
#include <algorithm>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "analyses/bliss/bliss_extended_sheet.h"
#include "analyses/bliss/bliss_fit.h"
#include "bliss_fixtures.h"
#include "support/chart_cells.h"
#include "support/tolerance.h"

namespace tavelmark::bliss {
namespace {

using model::ChartSeries, model::SeriesKind, model::Sheet, model::Workbook;

const Sheet& WrittenSheet(Workbook& book, const std::vector<BlissGroup>& groups) {
    WriteExtendedResults(book, ComputeBlissExtended(groups, 0, FitBliss(groups, 0).fit));
    return book.sheets.back();
}

// The y of the series' point at x; a failure when there is none.
double YAt(const std::vector<test::Point>& points, double x) {
    for (const test::Point& p : points)
        if (std::fabs(p.x - x) < 1e-12) return p.y;
    ADD_FAILURE() << "no point at x = " << x;
    return NAN;
}

// The worked example's curve and band as R's glm gives them at every dose
// and midpoint (data/extended/band.csv, made by compute_reference.R).
struct CurvePoint {
    double dose, fitted, lower, upper;
};
const CurvePoint kWorkedExampleCurve[] = {
    {5.8499999999999996, 0.01225547433982146, 0.0014526061415142211, 0.064198283985909363},
    {6.9681417896021607, 0.035523863556868755, 0.0077722241876326363, 0.11684541901956491},
    {8.3000000000000007, 0.086706254861650803, 0.030835697213929376, 0.19655539154992421},
    {9.9799799598997208, 0.18577680141321093, 0.096358725835784684, 0.3139971328806464},
    {12.000000000000002, 0.33512177062665127, 0.22239322085411464, 0.46514023224968182},
    {14.366627996854378, 0.51235173143052593, 0.38843410121427113, 0.63507870821232293},
    {17.199999999999999, 0.68713514596177683, 0.55692617510613429, 0.79738348172705564},
    {20.736441353327724, 0.83203634669127546, 0.70592033254139264, 0.91666475670936931},
    {25.000000000000007, 0.92460418624957241, 0.81954128012051142, 0.9749941263248485},
    {29.580398915498076, 0.96881560347457041, 0.89185809555273721, 0.99362827140440002},
    {35, 0.98900639267307511, 0.93978112731871255, 0.99877008067143092},
};

TEST(BlissExtendedChart, WorkedExampleDrawsTheObservedRatesAndTheProbitCurveWithItsBand) {
    Workbook book;
    const Sheet& sheet = WrittenSheet(book, test::WorkedExample());
    const model::Chart* chart = test::OnlyChart(sheet);
    ASSERT_NE(chart, nullptr);
    // Band lines (dashed) first, the curve over them, the observed points on top.
    ASSERT_EQ(chart->series.size(), 4u);
    const ChartSeries &lower = chart->series[0], &upper = chart->series[1], &curve = chart->series[2],
                      &observed = chart->series[3];
    for (const ChartSeries* line : {&lower, &upper, &curve}) EXPECT_EQ(line->kind, SeriesKind::ScatterLinesNoMarkers);
    EXPECT_TRUE(lower.dashedLine && upper.dashedLine);
    EXPECT_FALSE(curve.dashedLine);
    EXPECT_EQ(observed.kind, SeriesKind::Scatter);

    const auto curvePoints = test::SeriesPoints(sheet, curve);
    const auto lowerPoints = test::SeriesPoints(sheet, lower);
    const auto upperPoints = test::SeriesPoints(sheet, upper);
    // Every dose and the geometric midpoints between neighbours.
    EXPECT_EQ(curvePoints.size(), 11u);
    EXPECT_TRUE(std::is_sorted(curvePoints.begin(), curvePoints.end(),
                               [](const test::Point& a, const test::Point& b) { return a.x < b.x; }));
    for (const CurvePoint& r : kWorkedExampleCurve) {
        SCOPED_TRACE(r.dose);
        const double x = std::log10(r.dose);
        EXPECT_TRUE(test::Near(YAt(curvePoints, x), r.fitted, 1e-6));
        EXPECT_TRUE(test::Near(YAt(lowerPoints, x), r.lower, 1e-6));
        EXPECT_TRUE(test::Near(YAt(upperPoints, x), r.upper, 1e-6));
    }
    for (std::size_t i = 0; i < curvePoints.size(); ++i) {
        EXPECT_LT(lowerPoints[i].y, curvePoints[i].y);
        EXPECT_GT(upperPoints[i].y, curvePoints[i].y);
    }

    // The observed rates d/n at log10 dose, in input order (the manual's table).
    const auto observedPoints = test::SeriesPoints(sheet, observed);
    const double doses[] = {35, 25, 17.2, 12, 8.3, 5.85}, rates[] = {1, 0.85, 0.8, 0.3, 0.1, 0};
    ASSERT_EQ(observedPoints.size(), 6u);
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_DOUBLE_EQ(observedPoints[i].x, std::log10(doses[i]));
        EXPECT_DOUBLE_EQ(observedPoints[i].y, rates[i]);
    }
    EXPECT_EQ(chart->yAxis.minimum, 0.0);
    EXPECT_EQ(chart->yAxis.maximum, 1.0);
    EXPECT_EQ(chart->xAxis.title, "对数剂量 log10(D)");
    EXPECT_EQ(chart->yAxis.title, "阳性率");
}

// Responses that jump from none to all between two doses have no
// maximum-likelihood fit: the chart shows the observed rates only, and no
// cell of the sheet holds anything but a finite number or a text.
TEST(BlissExtendedChart, WithoutAProbitFitOnlyTheObservedRatesAreDrawn) {
    Workbook book;
    const Sheet& sheet = WrittenSheet(book, test::Groups({1, 2, 4, 8}, {10, 10, 10, 10}, {0, 0, 10, 10}));
    const model::Chart* chart = test::OnlyChart(sheet);
    ASSERT_NE(chart, nullptr);
    ASSERT_EQ(chart->series.size(), 1u);
    EXPECT_EQ(chart->series.front().kind, SeriesKind::Scatter);
    const auto points = test::SeriesPoints(sheet, chart->series.front());
    ASSERT_EQ(points.size(), 4u);
    EXPECT_DOUBLE_EQ(points[2].x, std::log10(4.0));
    EXPECT_DOUBLE_EQ(points[2].y, 1.0);
    for (const auto& [cell, value] : sheet.cells().values()) {
        if (const auto* v = std::get_if<double>(&value)) {
            EXPECT_TRUE(std::isfinite(*v));
        }
    }
}

}  // namespace
}  // namespace tavelmark::bliss
