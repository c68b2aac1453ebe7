// The dot plot with box plots of the extended means sheet: where the dots
// go, what the box's line draws, and what the chart reads from the sheet.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analyses/means/extended_means.h"
#include "analyses/means/means_dot_box_chart.h"
#include "support/chart_cells.h"
#include "reference_data.h"

namespace tavelmark::means {
namespace {

using model::ChartSeries, model::SeriesKind, model::Sheet, model::Workbook;

// The strokes of a drawn line: each pair of successive points.
struct Stroke {
    PlotPoint from, to;
};

std::vector<Stroke> Strokes(const std::vector<PlotPoint>& path) {
    std::vector<Stroke> strokes;
    for (std::size_t i = 1; i < path.size(); ++i) strokes.push_back({path[i - 1], path[i]});
    return strokes;
}

// True when the strokes together cover the straight piece a-b (horizontal
// or vertical), so that it shows on the chart.
bool Covers(const std::vector<Stroke>& strokes, PlotPoint a, PlotPoint b) {
    const bool horizontal = a.y == b.y;
    double reached = horizontal ? std::min(a.x, b.x) : std::min(a.y, b.y);
    const double end = horizontal ? std::max(a.x, b.x) : std::max(a.y, b.y);
    for (bool grew = true; grew && reached < end;) {
        grew = false;
        for (const Stroke& s : strokes) {
            const bool along = horizontal ? s.from.y == a.y && s.to.y == a.y : s.from.x == a.x && s.to.x == a.x;
            if (!along) continue;
            const double low = horizontal ? std::min(s.from.x, s.to.x) : std::min(s.from.y, s.to.y);
            const double high = horizontal ? std::max(s.from.x, s.to.x) : std::max(s.from.y, s.to.y);
            if (low <= reached + 1e-12 && high > reached) {
                reached = high;
                grew = true;
            }
        }
    }
    return reached >= end - 1e-12;
}

TEST(BoxPlotPath, DrawsTheBoxTheMedianAndBothWhiskersWithTheirCaps) {
    // The R group of the worked example; QUARTILE and Tukey's fences, as in
    // R 4.x: quantile(type = 7) 32, 33, 39.5; whiskers 25 and 46.
    const std::vector<double> r = {32, 33, 41, 28, 32, 37, 33, 59, 25, 33, 38, 28, 46, 51, 36};
    const BoxPlotFigures box = BoxPlotOf(r);
    const double c = 2, w = 0.25, cap = 0.1;
    const std::vector<PlotPoint> path = BoxPlotPath(box, c);
    const std::vector<Stroke> strokes = Strokes(path);
    struct Piece {
        const char* name;
        PlotPoint a, b;
    } pieces[] = {
        {"lower quartile", {c - w, 32}, {c + w, 32}}, {"median", {c - w, 33}, {c + w, 33}},
        {"upper quartile", {c - w, 39.5}, {c + w, 39.5}}, {"left side", {c - w, 32}, {c - w, 39.5}},
        {"right side", {c + w, 32}, {c + w, 39.5}},   {"lower whisker", {c, 25}, {c, 32}},
        {"upper whisker", {c, 39.5}, {c, 46}},        {"lower cap", {c - cap, 25}, {c + cap, 25}},
        {"upper cap", {c - cap, 46}, {c + cap, 46}},
    };
    for (const Piece& p : pieces) EXPECT_TRUE(Covers(strokes, p.a, p.b)) << p.name;
    // Nothing beyond the whiskers or the box's width: the outlying 51 and 59
    // are dots of their own.
    for (const PlotPoint& p : path) {
        EXPECT_GE(p.y, 25);
        EXPECT_LE(p.y, 46);
        EXPECT_LE(std::fabs(p.x - c), w + 1e-12);
    }
    EXPECT_TRUE(BoxPlotPath(BoxPlotOf(std::vector<double>{}), 1).empty());
}

// The worked example (data/extended/datasets.csv).
std::vector<double> Ys(const std::vector<test::Point>& points) {
    std::vector<double> ys;
    for (const test::Point& p : points) ys.push_back(p.y);
    return ys;
}

TEST(MeansDotBoxChart, EveryValueIsADotOfItsGroupOverTheGroupsBox) {
    const MeansInput input = test::MeansWorkedExample();
    Workbook book;
    WriteExtendedResults(book, ComputeExtendedMeans(input));
    const Sheet& sheet = book.sheets.back();
    const model::Chart* chart = test::OnlyChart(sheet);
    ASSERT_NE(chart, nullptr);
    // T's box and dots, then R's: each box under its dots.
    ASSERT_EQ(chart->series.size(), 4u);
    struct Group {
        const char* name;
        double centre;
        const std::vector<double>& values;
        double whiskers[2];  // R 4.x, as above: T 32 and 45, R 25 and 46
    } groups[] = {{"T", 1, input.t, {32, 45}}, {"R", 2, input.r, {25, 46}}};
    for (std::size_t g = 0; g < 2; ++g) {
        SCOPED_TRACE(groups[g].name);
        const ChartSeries& box = chart->series[2 * g];
        const ChartSeries& dots = chart->series[2 * g + 1];
        EXPECT_EQ(box.kind, SeriesKind::ScatterLinesNoMarkers);
        EXPECT_EQ(dots.kind, SeriesKind::Scatter);

        const auto dotPoints = test::SeriesPoints(sheet, dots);
        EXPECT_EQ(Ys(dotPoints), groups[g].values);
        for (const test::Point& p : dotPoints) EXPECT_LT(std::fabs(p.x - groups[g].centre), 0.3);

        const std::vector<double> boxYs = Ys(test::SeriesPoints(sheet, box));
        ASSERT_FALSE(boxYs.empty());
        EXPECT_EQ(*std::min_element(boxYs.begin(), boxYs.end()), groups[g].whiskers[0]);
        EXPECT_EQ(*std::max_element(boxYs.begin(), boxYs.end()), groups[g].whiskers[1]);
    }
    // The groups are named under their positions.
    const std::vector<model::TickLabel> labels = {{1, "T组"}, {2, "R组"}};
    EXPECT_EQ(chart->xAxis.tickLabels, labels);
    EXPECT_EQ(chart->xAxis.minimum, 0.0);
    EXPECT_EQ(chart->xAxis.maximum, 3.0);
    // Both renderers show the same span around all values, 25 to 59.
    EXPECT_EQ(chart->yAxis.minimum, 20.0);
    EXPECT_EQ(chart->yAxis.maximum, 60.0);
}

}  // namespace
}  // namespace tavelmark::means
