// A chart of the extended sheet and the table of its numbers: where its dots
// and the chart go, and what the table holds.
#include "report/extended_chart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "model/cell_ref.h"
#include "report/extended_sheet.h"

namespace tavelmark::report {
namespace {

using model::BorderWeight, model::Cell, model::CellRef, model::Range, model::Sheet, model::Workbook;

struct DotCase {
    const char* name;
    std::vector<double> values;
    double centre;
    std::vector<double> xs;
};

TEST(SideBySideDots, EqualValuesStandSideBySideEveryOtherValueOnTheCentre) {
    const DotCase cases[] = {
        {"all different", {3, 1, 2}, 1, {1, 1, 1}},
        {"a pair", {4, 4}, 2, {2, 2.06}},
        {"three equal, apart from another", {5, 7, 5, 5}, 1, {1, 1, 1.06, 0.94}},
        {"five equal", {9, 9, 9, 9, 9}, 1, {1, 1.06, 0.94, 1.12, 0.88}},
    };
    for (const DotCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<PlotPoint> dots = SideBySideDots(c.values, c.centre, 0.06);
        ASSERT_EQ(dots.size(), c.values.size());
        for (std::size_t i = 0; i < dots.size(); ++i) {
            EXPECT_NEAR(dots[i].x, c.xs[i], 1e-12);
            EXPECT_EQ(dots[i].y, c.values[i]);  // a dot never moves up or down
        }
    }
}

// Row heights in points: the title row in 12 points, the others in 10, row 6
// of the table below three lines high. The result window draws a line 1.35
// font sizes high (ui/sheet_metrics); the spreadsheet 1.275, rounded to
// whole pixels at 96 dpi (xlsx_layout), a line of wrapped text 1.45, 15
// points.
struct RowGeometry {
    const char* name;
    double titleRow, row, wrappedRow6;
    double top(int r) const { return r <= 1 ? 0 : titleRow + (r - 2) * row + (r > 6 ? wrappedRow6 - row : 0); }
};
const RowGeometry kGeometries[] = {{"result window", 16.2, 13.5, 3 * 13.5}, {"spreadsheet file", 15, 12.75, 3 * 15}};

// A table on rows 3 to 6 whose last row's note is three lines.
Workbook SheetWithATallRow() {
    Workbook book;
    Sheet& sheet = AddExtendedSheet(book, "扩展结果");
    WriteExtendedSection(sheet, 3, ExtendedSection{"比较", {{"a", 1.0, {}, {}, "Wald", ""},
                                                           {"b", 2.0, {}, {}, "Wald", "第一行\n第二行\n第三行"}}});
    return book;
}

TEST(ExtendedChartPlace, BetweenTheTableAboveAndTheTableBelowWhateverTheRowHeights) {
    const Workbook book = SheetWithATallRow();
    const Sheet& sheet = book.sheets.back();
    for (int row : {8, 17, 64, 250})
        for (double height : {150.0, 250.0, 400.0})
            for (const RowGeometry& g : kGeometries) {
                SCOPED_TRACE(std::string(g.name) + ", row " + std::to_string(row) + ", height " +
                             std::to_string(height));
                const double top = ExtendedRowTop(sheet, row);
                // Never into the row above (the table's last or the blank one).
                EXPECT_GE(top + 1e-9, g.top(row));
                // Nor more than a few rows below it.
                EXPECT_LT(top, g.top(row) + 0.06 * g.top(row) + g.row);
                // The table below starts after a whole blank row under the chart.
                const int below = RowBelowChart(sheet, row, height);
                EXPECT_GE(g.top(below - 1) + 1e-9, top + height);
                EXPECT_LT(g.top(below - 1), top + height + 0.06 * (top + height) + 2 * g.row);
            }
}

TEST(ExtendedChartAxis, SpansTheDataInAboutFiveWholeSteps) {
    const struct {
        double low, high, minimum, maximum, step;
    } cases[] = {
        {25, 59, 20, 60, 10},        // the means worked example
        {0.12, 0.97, 0, 1, 0.2},     // rates
        {-3.4, 2.1, -4, 4, 2},       // across zero: steps no smaller than a fifth
        {1200, 1800, 1200, 1800, 200},
        {7, 7, 6, 8, 0.5},           // one value: a tenth of it either side
        {0, 0, -1, 1, 0.5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.low) + " to " + std::to_string(c.high));
        model::ChartAxis axis;
        SpanAxis(axis, c.low, c.high);
        ASSERT_TRUE(axis.minimum && axis.maximum && axis.majorUnit);
        EXPECT_NEAR(*axis.minimum, c.minimum, 1e-12);
        EXPECT_NEAR(*axis.maximum, c.maximum, 1e-12);
        EXPECT_NEAR(*axis.majorUnit, c.step, 1e-12);
        EXPECT_LE(*axis.minimum, c.low);
        EXPECT_GE(*axis.maximum, c.high);
    }
    model::ChartAxis untouched;
    SpanAxis(untouched, INFINITY, -INFINITY);  // no data
    EXPECT_FALSE(untouched.minimum || untouched.maximum || untouched.majorUnit);
}

TEST(ChartData, WritesAColumnPerSeriesUnderItsHeaderAndRulesTheTable) {
    Workbook book;
    Sheet& sheet = AddExtendedSheet(book, "扩展结果");
    std::vector<ChartDataColumn> columns = ChartDataColumns({"x", "y", "组别"});
    columns[0].values = {1.0, 2.0, 3.0};
    columns[1].values = {0.25, 0.5};  // shorter: its last cell stays empty
    columns[1].numberFormat = "0.00";
    columns[2].values = {std::string("R组")};
    const ChartDataPlace place = WriteChartData(sheet, 10, "作图数据", columns);

    EXPECT_EQ(model::PlainText(sheet.value("A10")), "作图数据");
    EXPECT_EQ(model::PlainText(sheet.value("A11")), "x");
    EXPECT_EQ(model::PlainText(sheet.value("C11")), "组别");
    EXPECT_EQ(place.firstRow, 12);
    EXPECT_EQ(place.values(1, 3), Range("A12:A14"));
    EXPECT_EQ(place.values(2, 2), Range("B12:B13"));
    EXPECT_EQ(sheet.value("A14"), model::ReportValue{3.0});
    EXPECT_EQ(sheet.value("B13"), model::ReportValue{0.5});
    EXPECT_TRUE(std::holds_alternative<std::monostate>(sheet.value("B14")));
    EXPECT_EQ(sheet.value("C12"), model::ReportValue{std::string("R组")});
    EXPECT_EQ(sheet.format(Cell("B12")).numberFormat, "0.00");
    EXPECT_EQ(sheet.format(Cell("A12")).numberFormat, "0.0000");
    // The three rules of a report table, under the longest column.
    EXPECT_EQ(sheet.format(Cell("C10")).bottomBorder, BorderWeight::Medium);
    EXPECT_EQ(sheet.format(Cell("C11")).bottomBorder, BorderWeight::Thin);
    EXPECT_EQ(sheet.format(Cell("C14")).bottomBorder, BorderWeight::Medium);
    EXPECT_EQ(sheet.format(Cell("D14")).bottomBorder, BorderWeight::None);
    EXPECT_EQ(place.nextRow, 16);
}

}  // namespace
}  // namespace tavelmark::report
