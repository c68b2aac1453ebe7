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

// The worked example's curve and band at every dose and midpoint, from the
// observed information (data/extended/band.csv, made by compute_reference.R).
struct CurvePoint {
    double dose, fitted, lower, upper;
};
const CurvePoint kWorkedExampleCurve[] = {
    {5.8499999999999996, 0.012255474312847408, 0.0014226456848017977, 0.065003701136112396},
    {6.9681417896021607, 0.035523863502747992, 0.0076441529978195028, 0.1180348060002452},
    {8.3000000000000007, 0.086706254777016128, 0.03045687662795216, 0.19807435677211413},
    {9.9799799598997208, 0.18577680131381641, 0.095608591758158362, 0.31556136662191098},
    {12.000000000000002, 0.33512177055125353, 0.22165617943274474, 0.46612442558915296},
    {14.366627996854378, 0.51235173141205603, 0.38855464108157356, 0.63496049132085342},
    {17.199999999999999, 0.68713514600225856, 0.55811206217616482, 0.79653487946087931},
    {20.736441353327724, 0.83203634676186744, 0.70755700097373031, 0.91593311483562467},
    {25.000000000000007, 0.9246041863132396, 0.82102291117738657, 0.97466189219799848},
    {29.580398915498076, 0.96881560351659113, 0.89298142786819168, 0.99351858622125677},
    {35, 0.9890063926947319, 0.94053051552059119, 0.99874417653407699},
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
