// The potency report: the sections in their order with the frame's rules,
// the figures in their cells, the notes the data call for, and the chart.
#include "analyses/potency/potency_report.h"

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analyses/potency/potency_compute.h"
#include "analyses/potency/potency_texts.h"
#include "potency_fixtures.h"
#include "support/sheet_cells.h"
#include "support/tolerance.h"

namespace tavelmark::potency {
namespace {

using model::BorderWeight, model::CellRef, model::Sheet;
using test::Number, test::Text;

Sheet Report(const PotencyData& data, const PotencyOptions& options = {}) {
    Sheet sheet;
    WritePotencyReport(sheet, ComputePotency(data, options));
    return sheet;
}

// The row whose column A reads `text`, from `from` on; 0 when none.
int RowOf(const Sheet& sheet, const std::string& text, int from = 1) {
    for (int r = from; r <= sheet.usedExtent().row; ++r)
        if (Text(sheet, r, 1) == text) return r;
    return 0;
}

bool AnyCellSays(const Sheet& sheet, const std::string& text) {
    for (int r = 1; r <= sheet.usedExtent().row; ++r)
        for (int c = 1; c <= sheet.usedExtent().column; ++c)
            if (Text(sheet, r, c).find(text) != std::string::npos) return true;
    return false;
}

TEST(PotencyReport, SectionsComeInOrderEachFramedByThreeRules) {
    const Sheet sheet = Report(test::PotencySet("finney"));
    const char* captions[] = {"各制剂数据", "各制剂的回归直线(各自拟合)", "各制剂的LDk及95%可信限(Fieller法)",
                              "三种模型的拟合优度", "模型检验(似然比)", "平行线模型", "平行线模型下的LD50",
                              "相对效价(平行线模型, Fieller法)", "LDk比值检验(各制剂单独拟合, 不要求平行)",
                              "量效直线图作图数据"};
    int previous = 0;
    for (const char* caption : captions) {
        const int row = RowOf(sheet, caption);
        ASSERT_GT(row, previous) << caption;
        EXPECT_EQ(sheet.format(CellRef{row, 1}).bottomBorder, BorderWeight::Medium) << caption;
        EXPECT_EQ(sheet.format(CellRef{row + 1, 1}).bottomBorder, BorderWeight::Thin) << caption;
        previous = row;
    }
    EXPECT_EQ(RowOf(sheet, "各制剂数据"), 4);
    // Nothing but finite numbers.
    for (int r = 1; r <= sheet.usedExtent().row; ++r)
        for (int c = 1; c <= sheet.usedExtent().column; ++c)
            if (const auto v = Number(sheet, r, c)) {
                EXPECT_TRUE(std::isfinite(*v)) << r << "," << c;
            }
}

TEST(PotencyReport, TheFiguresStandInTheirCells) {
    const Sheet sheet = Report(test::PotencySet("finney"));
    const int potency = RowOf(sheet, "相对效价(平行线模型, Fieller法)");
    ASSERT_GT(potency, 0);
    EXPECT_EQ(Text(sheet, potency + 2, 1), "rotenone/deguelin");
    EXPECT_TRUE(test::SameTo(*Number(sheet, potency + 2, 2), 0.4639, 4));
    EXPECT_TRUE(test::SameTo(*Number(sheet, potency + 2, 3), 0.3303, 4));
    EXPECT_TRUE(test::SameTo(*Number(sheet, potency + 2, 4), 0.6673, 4));
    EXPECT_EQ(Text(sheet, potency + 5, 1), std::string("注: ") + text::kParallelRejected);

    const int tests = RowOf(sheet, "模型检验(似然比)");
    EXPECT_EQ(Text(sheet, tests + 2, 1), "平行性");
    EXPECT_TRUE(test::SameTo(*Number(sheet, tests + 2, 2), 10.636, 3));
    EXPECT_TRUE(test::SameTo(*Number(sheet, tests + 2, 5), 3.12, 2));

    const int lines = RowOf(sheet, "各制剂的回归直线(各自拟合)");
    EXPECT_EQ(Text(sheet, lines + 3, 1), "deguelin");
    EXPECT_TRUE(test::SameTo(*Number(sheet, lines + 3, 8), 3.0065, 4));  // h
    EXPECT_FALSE(Number(sheet, lines + 2, 8));                             // rotenone: none
    EXPECT_EQ(Text(sheet, lines, 5), "(Φ⁻¹(P) = a + b·log10(D))");

    const int ratio = RowOf(sheet, "LDk比值检验(各制剂单独拟合, 不要求平行)");
    EXPECT_TRUE(test::SameTo(*Number(sheet, ratio + 2, 3), 0.4892, 4));
    EXPECT_TRUE(test::SameTo(*Number(sheet, ratio + 2, 4), 0.3535, 4));
    EXPECT_TRUE(test::SameTo(*Number(sheet, ratio + 2, 5), 0.6769, 4));
}

TEST(PotencyReport, NotesFollowTheData) {
    PotencyOptions logit;
    logit.link = numeric::QuantalLink::Logit;
    const Sheet budworm = Report(test::PotencySet("budworm", "female"), logit);
    EXPECT_FALSE(AnyCellSays(budworm, text::kParallelRejected));  // parallelism P = 0.18
    EXPECT_EQ(Text(budworm, RowOf(budworm, "各制剂的回归直线(各自拟合)"), 5), "(logit(P) = a + b·log10(D))");

    PotencyOptions estimate;
    estimate.natural = NaturalResponseOption::Estimate;
    const Sheet zero = Report(test::PotencySet("controls_at_zero"), estimate);
    const int parallel = RowOf(zero, "平行线模型");
    const int c = RowOf(zero, "自然反应率 C(对照)", parallel);
    ASSERT_GT(c, 0);
    EXPECT_EQ(Text(zero, c, 2), text::kAtZero);
    EXPECT_FALSE(Number(zero, c, 3));

    PotencyData flat;
    flat.preparations = {{"A", 2, {{2, 1, 10, 4}, {3, 2, 10, 5}, {4, 4, 10, 5}}, {}},
                         {"B", 5, {{5, 1, 10, 3}, {6, 2, 10, 4}, {7, 4, 10, 4}}, {}}};
    const Sheet words = Report(flat);
    const int potency = RowOf(words, "相对效价(平行线模型, Fieller法)");
    EXPECT_TRUE(Number(words, potency + 2, 2));
    EXPECT_FALSE(Number(words, potency + 2, 3));
    EXPECT_FALSE(Number(words, potency + 2, 4));
    EXPECT_EQ(Text(words, potency + 2, 5), text::kGAboveOne);
}

TEST(PotencyReport, TheChartDrawsPointsLinesAndTheFiftyPercentLineOnTheLinkScale) {
    const Sheet sheet = Report(test::PotencySet("finney"));
    ASSERT_EQ(sheet.charts().size(), 1u);
    const model::Chart& chart = sheet.charts().front();
    const std::vector<std::string> labels = {"1%", "5%", "10%", "25%", "50%", "75%", "90%", "95%", "99%"};
    ASSERT_EQ(chart.yAxis.tickLabels.size(), labels.size());
    for (std::size_t i = 0; i < labels.size(); ++i) EXPECT_EQ(chart.yAxis.tickLabels[i].text, labels[i]);
    EXPECT_TRUE(test::Near(chart.yAxis.tickLabels[4].value, 0, 0, 1e-15));
    EXPECT_TRUE(test::Near(chart.yAxis.tickLabels[8].value, 2.3263478740408408, 1e-12));  // qnorm(0.99)

    // Per preparation its parallel line (solid), its own line (dashed) and
    // its points; deguelin's 100 % group as an open marker; the 50 % line last.
    int solid = 0, dashed = 0, filled = 0, open = 0;
    for (const model::ChartSeries& s : chart.series) {
        if (s.kind == model::SeriesKind::ScatterLinesNoMarkers) (s.dashedLine ? dashed : solid)++;
        if (s.kind == model::SeriesKind::Scatter) (s.markerBackgroundColourIndex == 2 ? open : filled)++;
    }
    EXPECT_EQ(solid, 3);
    EXPECT_EQ(dashed, 3 + 1);
    EXPECT_EQ(filled, 3);
    EXPECT_EQ(open, 1);
    const model::ChartSeries& fifty = chart.series.back();
    EXPECT_TRUE(fifty.dashedLine);
    for (int r = fifty.yValues.first.row; r <= fifty.yValues.last.row; ++r)
        EXPECT_EQ(Number(sheet, r, fifty.yValues.first.column), 0.0);
    // The open marker sits at the top edge of the axis.
    for (const model::ChartSeries& s : chart.series) {
        if (s.kind == model::SeriesKind::Scatter && s.markerBackgroundColourIndex == 2) {
            EXPECT_EQ(Number(sheet, s.yValues.first.row, s.yValues.first.column), chart.yAxis.maximum);
        }
    }
    // The chart lies below the last table's note, drawn 1.35 font sizes a row.
    const int table = RowOf(sheet, "LDk比值检验(各制剂单独拟合, 不要求平行)");
    int lastNote = table;
    while (!Text(sheet, lastNote + 1, 1).empty() || Number(sheet, lastNote + 1, 3)) ++lastNote;
    EXPECT_GE(chart.top, 2 * 1.35 * 14 + (lastNote + 1 - 3) * 1.35 * 10);
    EXPECT_GT(RowOf(sheet, "量效直线图作图数据"), lastNote + static_cast<int>(chart.height / 12.75));
}

}  // namespace
}  // namespace tavelmark::potency
