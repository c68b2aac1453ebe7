// The chart kinds of the extended sheets as the .xlsx file carries them,
// read back from the package's chart parts: columns, per-point error bars,
// dashed lines, fixed axis spans and labelled ticks, also more of them than
// a number format carries.
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <zip.h>

#include "model/cell_ref.h"
#include "xlsx/xlsx_error_bars.h"
#include "xlsx/xlsx_export.h"

namespace tavelmark::xlsx {
namespace {

using model::Chart, model::ChartSeries, model::Range, model::SeriesKind, model::Sheet, model::Workbook;

// The package's parts whose names start with `prefix`.
std::map<std::string, std::string> Parts(const std::string& bytes, const std::string& prefix) {
    std::map<std::string, std::string> parts;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    zip_t* archive = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    zip_error_fini(&error);
    if (!archive) {
        if (source) zip_source_free(source);
        ADD_FAILURE() << "the written file is no zip package";
        return parts;
    }
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        const std::string name = zip_get_name(archive, static_cast<zip_uint64_t>(i), 0);
        if (name.rfind(prefix, 0) != 0) continue;
        zip_stat_t stat;
        zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat);
        std::string content(stat.size, '\0');
        zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
        zip_fread(file, content.data(), stat.size);
        zip_fclose(file);
        parts[name] = content;
    }
    zip_close(archive);
    return parts;
}

std::map<std::string, std::string> ChartParts(const std::string& bytes) { return Parts(bytes, "xl/charts/chart"); }

// Two groups' rates with their amounts above and below, and a scatter of
// values at two labelled positions, as the extended sheets draw them.
Workbook ChartsWorkbook() {
    Workbook book;
    Sheet& sheet = book.sheets.emplace_back("扩展结果");
    const char* rows[][6] = {{"R组", "0.375", "", "", "0.1725", "0.1457"},
                             {"T组", "0.6333", "", "", "0.1479", "0.1782"}};
    for (int r = 0; r < 2; ++r) {
        sheet.setValue(model::CellRef{r + 2, 1}, std::string(rows[r][0]));
        for (int c : {1, 4, 5}) sheet.setValue(model::CellRef{r + 2, c + 1}, std::stod(rows[r][c]));
    }
    Chart bars;
    bars.name = "bars";
    ChartSeries rates;
    rates.sheetName = "扩展结果";
    rates.kind = SeriesKind::Column;
    rates.xValues = Range("A2:A3");
    rates.yValues = Range("B2:B3");
    rates.errorPlus = Range("E2:E3");
    rates.errorMinus = Range("F2:F3");
    rates.fillColourIndex = 37;
    bars.series = {rates};
    sheet.addChart(bars);

    for (int r = 0; r < 4; ++r) {
        sheet.setValue(model::CellRef{r + 10, 1}, 1.0 + r % 2);
        sheet.setValue(model::CellRef{r + 10, 2}, 30.0 + r);
    }
    Chart dots;
    dots.name = "dots";
    dots.top = 300;
    dots.xAxis.minimum = 0;
    dots.xAxis.maximum = 3;
    dots.xAxis.majorUnit = 1;
    dots.xAxis.tickLabels = {{1, "T组"}, {2, "R组"}};
    ChartSeries line;
    line.sheetName = "扩展结果";
    line.kind = SeriesKind::ScatterLinesNoMarkers;
    line.xValues = Range("A10:A13");
    line.yValues = Range("B10:B13");
    line.dashedLine = true;
    ChartSeries points = line;
    points.kind = SeriesKind::Scatter;
    points.dashedLine = false;
    points.yValues = Range("B10:B11");
    points.xValues = Range("A10:A11");
    points.errorPlus = Range("E2:E3");
    points.errorMinus = Range("F2:F3");
    dots.series = {line, points};
    sheet.addChart(dots);
    return book;
}

TEST(XlsxChartKinds, ColumnsErrorBarsDashesAxisSpansAndTickLabelsReachTheFile) {
    std::string error;
    const auto bytes = XlsxBytes(ChartsWorkbook(), &error);
    ASSERT_TRUE(bytes) << error;
    const auto parts = ChartParts(*bytes);
    ASSERT_EQ(parts.size(), 2u);
    std::string columns, scatter;
    for (const auto& [name, xml] : parts) (xml.find("<c:barChart>") != std::string::npos ? columns : scatter) = xml;
    ASSERT_FALSE(columns.empty());
    ASSERT_FALSE(scatter.empty());

    const struct {
        const char* what;
        const std::string& part;
        const char* text;
    } expected[] = {
        {"upright bars", columns, "<c:barDir val=\"col\"/>"},
        {"bars labelled by their cells", columns, "<c:cat><c:strRef><c:f>'扩展结果'!$A$2:$A$3</c:f>"},
        {"bar fill, palette colour 37", columns, "<a:srgbClr val=\"99CCFF\"/>"},
        {"custom error bars", columns, "<c:errValType val=\"cust\"/>"},
        {"their upper amounts", columns, "<c:plus><c:numRef><c:f>'扩展结果'!$E$2:$E$3</c:f></c:numRef></c:plus>"},
        {"their lower amounts", columns, "<c:minus><c:numRef><c:f>'扩展结果'!$F$2:$F$3</c:f></c:numRef></c:minus>"},
        {"a dashed line", scatter, "<a:prstDash val=\"dash\"/>"},
        {"the axis's lower end", scatter, "<c:min val=\"0\"/>"},
        {"the axis's upper end", scatter, "<c:max val=\"3\"/>"},
        {"its tick step", scatter, "<c:majorUnit val=\"1\"/>"},
        {"labelled ticks", scatter, "formatCode=\"[=1]&quot;T组&quot;;[=2]&quot;R组&quot;;&quot;&quot;\""},
        {"error bars on scatter points", scatter, "<c:plus><c:numRef><c:f>'扩展结果'!$E$2:$E$3</c:f>"},
    };
    for (const auto& e : expected) EXPECT_NE(e.part.find(e.text), std::string::npos) << e.what;
    // No fixed-size error bar is left, and only the series with amounts has any.
    for (const std::string* part : {&columns, &scatter}) EXPECT_EQ(part->find("fixedVal"), std::string::npos);
    EXPECT_EQ(scatter.find("<c:errBars>"), scatter.rfind("<c:errBars>"));
}

// The Bliss chart's observed points: white circles whose border is left to
// the spreadsheet. A program that draws an automatic border as none would
// show nothing, so the file names the colour the spreadsheet would pick for
// the first series (palette colour 25, navy); LibreOffice draws a border in
// the fill's colour, so the white is a pattern of white on white, from which
// it takes no colour. A marker left wholly automatic stays so.
TEST(XlsxChartKinds, WhiteMarkersGetTheirBorderColourWrittenOut) {
    Workbook book;
    Sheet& sheet = book.activeSheet();
    for (int r = 0; r < 3; ++r) {
        sheet.setValue(model::CellRef{18 + r, 1}, 0.8 + 0.2 * r);
        sheet.setValue(model::CellRef{18 + r, 3}, 3.0 + r);
    }
    ChartSeries observed;
    observed.sheetName = sheet.name();
    observed.xValues = Range("A18:A20");
    observed.yValues = Range("C18:C20");
    observed.markerStyle = model::MarkerStyle::Circle;
    observed.markerSize = 4;
    observed.markerBackgroundColourIndex = 2;  // white
    ChartSeries automatic = observed;
    automatic.markerBackgroundColourIndex = 0;
    Chart chart;
    chart.series = {observed, automatic};
    sheet.addChart(chart);
    std::string error;
    const auto bytes = XlsxBytes(book, &error);
    ASSERT_TRUE(bytes) << error;
    const auto parts = ChartParts(*bytes);
    ASSERT_EQ(parts.size(), 1u);
    const std::string& xml = parts.begin()->second;
    std::vector<std::string> markers;
    for (std::size_t at = xml.find("<c:marker>"); at != std::string::npos; at = xml.find("<c:marker>", at + 1))
        markers.push_back(xml.substr(at, xml.find("</c:marker>", at) - at));
    ASSERT_EQ(markers.size(), 2u) << xml;
    EXPECT_NE(markers[0].find("<a:fgClr><a:srgbClr val=\"FFFFFF\"/></a:fgClr><a:bgClr><a:srgbClr val=\"FFFFFF\"/>"),
              std::string::npos)
        << markers[0];
    EXPECT_NE(markers[0].find("<a:ln><a:solidFill><a:srgbClr val=\"000080\"/>"), std::string::npos) << markers[0];
    EXPECT_EQ(markers[1].find("<a:ln"), std::string::npos) << markers[1];
}

// A report sheet with its background picture and no chart, then the extended
// sheet with charts: the second sheet's link must reach a drawing part that
// exists (the library numbers it as if the picture had one).
TEST(XlsxChartKinds, AChartAfterAPictureOnlySheetLinksAnExistingDrawing) {
    Workbook book = ChartsWorkbook();
    Sheet& report = book.sheets.front();
    ASSERT_EQ(book.sheets.size(), 2u);
    ASSERT_TRUE(report.charts().empty());
    report.setValue("A1", std::string("报告"));
    report.setBackgroundPicture(TAVELMARK_TEST_PICTURE);
    std::string error;
    const auto bytes = XlsxBytes(book, &error);
    ASSERT_TRUE(bytes) << error;
    const auto drawings = Parts(*bytes, "xl/drawings/drawing");
    const auto rels = Parts(*bytes, "xl/worksheets/_rels/sheet2.xml.rels");
    ASSERT_EQ(rels.size(), 1u);
    const std::string& links = rels.begin()->second;
    const std::size_t at = links.find("../drawings/");
    ASSERT_NE(at, std::string::npos) << links;
    const std::string target = "xl/drawings/" + links.substr(at + 12, links.find('"', at) - at - 12);
    EXPECT_EQ(drawings.count(target), 1u) << target << " is not in the package";
}

// Chart parts as libxlsxwriter writes them: the fixed error bars of the
// series whose values are `formula`.
std::string ChartPart(const std::string& formula) {
    return "<c:chart><c:ser><c:idx val=\"0\"/><c:errBars><c:errBarType val=\"both\"/>"
           "<c:errValType val=\"fixedVal\"/><c:val val=\"1\"/></c:errBars><c:val><c:numRef><c:f>" +
           formula + "</c:f></c:numRef></c:val></c:ser></c:chart>";
}

TEST(CustomErrorBars, FoundByTheSheetAndRangeOfTheSeriesValues) {
    const struct {
        const char* name;
        std::string sheet;      // of the model's series with amounts
        std::string formula;    // the values formula in the part
        std::string plusFormula;  // expected; empty: the part is left as it is
    } cases[] = {
        {"quoted name", "扩展结果", "'扩展结果'!$B$2:$B$3", "'扩展结果'!$E$2:$E$3"},
        {"plain name, unquoted", "Sheet1", "Sheet1!$B$2:$B$3", "'Sheet1'!$E$2:$E$3"},
        {"apostrophe doubled", "O'Brien", "'O''Brien'!$B$2:$B$3", "'O''Brien'!$E$2:$E$3"},
        {"another range", "扩展结果", "'扩展结果'!$B$2:$B$4", ""},
        {"another sheet", "扩展结果", "'Sheet1'!$B$2:$B$3", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Workbook book;
        Sheet& sheet = book.sheets.emplace_back(c.sheet);
        Chart chart;
        ChartSeries s;
        s.sheetName = c.sheet;
        s.yValues = Range("B2:B3");
        s.errorPlus = Range("E2:E3");
        s.errorMinus = Range("F2:F3");
        chart.series = {s};
        sheet.addChart(chart);
        ASSERT_TRUE(HasCustomErrorBars(book));
        const auto rewritten = WithCustomErrorBars(ChartPart(c.formula), book);
        if (c.plusFormula.empty()) {
            EXPECT_FALSE(rewritten);
            continue;
        }
        ASSERT_TRUE(rewritten);
        EXPECT_NE(rewritten->find("<c:errValType val=\"cust\"/><c:noEndCap val=\"0\"/><c:plus><c:numRef><c:f>" +
                                  c.plusFormula + "</c:f>"),
                  std::string::npos)
            << *rewritten;
        EXPECT_EQ(rewritten->find("<c:val val="), std::string::npos);
        EXPECT_NE(rewritten->find("</c:errBars><c:val><c:numRef>"), std::string::npos);
    }
    EXPECT_FALSE(HasCustomErrorBars(Workbook{}));
}

// A probit-scale rate axis as the potency comparison draws it: nine labels
// at the normal deviates of 1 %, 5 %, ... 99 %.
const model::TickLabel kRateTicks[] = {{-2.3263478740408408, "1%"}, {-1.6448536269514729, "5%"},
                                       {-1.2815515655446004, "10%"}, {-0.6744897501960817, "25%"},
                                       {0, "50%"}, {0.6744897501960817, "75%"}, {1.2815515655446004, "90%"},
                                       {1.6448536269514729, "95%"}, {2.3263478740408408, "99%"}};

// A scatter chart of three points, its x axis from `xMinimum` (none: left to
// the spreadsheet), its y axis labelled with `ticks`.
Chart RateChart(std::optional<double> xMinimum, std::vector<model::TickLabel> ticks, double top) {
    Chart chart;
    chart.name = "rates";
    chart.top = top;
    chart.xAxis.minimum = xMinimum;
    chart.xAxis.maximum = 2;
    chart.yAxis.minimum = -2.6;
    chart.yAxis.maximum = 2.6;
    chart.yAxis.tickNumberFormat = "0.0";
    chart.yAxis.tickLabels = std::move(ticks);
    ChartSeries points;
    points.xValues = Range("A5:A7");
    points.yValues = Range("B5:B7");
    chart.series = {points};
    return chart;
}

Workbook RateCharts(std::vector<Chart> charts) {
    Workbook book;
    Sheet& sheet = book.activeSheet();
    for (int r = 5; r <= 7; ++r) {
        sheet.setValue(model::CellRef{r, 1}, 0.5 * (r - 4));
        sheet.setValue(model::CellRef{r, 2}, -1.0 + 0.8 * (r - 5));
    }
    sheet.setValue("A1", std::string("报告"));
    sheet.setFontSize(Range("A1"), 14);  // a taller row above the charts
    for (Chart& c : charts) sheet.addChart(std::move(c));
    return book;
}

// The series parts of a chart part, in order.
std::vector<std::string> SeriesOf(const std::string& chartXml) {
    std::vector<std::string> series;
    for (std::size_t at = chartXml.find("<c:ser>"); at != std::string::npos; at = chartXml.find("<c:ser>", at + 1))
        series.push_back(chartXml.substr(at, chartXml.find("</c:ser>", at) - at));
    return series;
}

// The number a worksheet part holds in cell `ref`, if any.
std::optional<double> CellNumber(const std::string& sheetXml, const std::string& ref) {
    const std::size_t at = sheetXml.find("<c r=\"" + ref + "\"");
    if (at == std::string::npos) return std::nullopt;
    const std::size_t v = sheetXml.find("<v>", at);
    if (v == std::string::npos || v > sheetXml.find("</c>", at)) return std::nullopt;
    return std::stod(sheetXml.substr(v + 3));
}

// Nine labels are more than a number format carries: a series along the axis
// draws them, its points in hidden cells (a second chart's below the first's),
// the axis's own labels blank and its ticks off, both axes at the plot's edges.
TEST(XlsxChartKinds, ManyTickLabelsAreDrawnByASeriesAlongTheAxis) {
    const std::vector<model::TickLabel> ticks(std::begin(kRateTicks), std::end(kRateTicks));
    std::string error;
    const auto bytes = XlsxBytes(RateCharts({RateChart(0.25, ticks, 100), RateChart(-1, ticks, 400)}), &error);
    ASSERT_TRUE(bytes) << error;
    const auto charts = ChartParts(*bytes);
    ASSERT_EQ(charts.size(), 2u);
    const std::string sheet = Parts(*bytes, "xl/worksheets/sheet1.xml").begin()->second;
    const struct {
        const char* part;
        double xMinimum;
        int firstRow;  // of its points in the hidden columns
    } expected[] = {{"xl/charts/chart1.xml", 0.25, 1}, {"xl/charts/chart2.xml", -1, 129}};
    for (const auto& e : expected) {
        SCOPED_TRACE(e.part);
        const std::string& xml = charts.at(e.part);
        const std::vector<std::string> series = SeriesOf(xml);
        ASSERT_EQ(series.size(), 2u);
        const std::string& labels = series.back();
        std::size_t at = 0;
        for (const model::TickLabel& tick : kRateTicks) {
            at = labels.find("<a:t>" + tick.text + "</a:t>", at);
            EXPECT_NE(at, std::string::npos) << tick.text << " missing or out of order";
        }
        EXPECT_NE(labels.find("<c:dLblPos val=\"l\"/>"), std::string::npos);
        const std::string first = std::to_string(e.firstRow), last = std::to_string(e.firstRow + 8);
        EXPECT_NE(labels.find("<c:xVal><c:numRef><c:f>Sheet1!$IW$" + first + ":$IW$" + last), std::string::npos)
            << labels;
        EXPECT_NE(labels.find("<c:yVal><c:numRef><c:f>Sheet1!$IX$" + first + ":$IX$" + last), std::string::npos)
            << labels;
        for (int i = 0; i < 9; ++i) {
            const std::string row = std::to_string(e.firstRow + i);
            EXPECT_EQ(CellNumber(sheet, "IW" + row), e.xMinimum);
            const auto y = CellNumber(sheet, "IX" + row);
            ASSERT_TRUE(y) << row;
            EXPECT_NEAR(*y, kRateTicks[i].value, 1e-15);
        }
        const std::size_t yAxis = xml.find("<c:axPos val=\"l\"/>");
        ASSERT_NE(yAxis, std::string::npos);
        EXPECT_NE(xml.find("<c:numFmt formatCode=\"&quot;\u2007\u2007\u2007\u2007&quot;\"", yAxis), std::string::npos);
        EXPECT_NE(xml.find("<c:majorTickMark val=\"none\"/>", yAxis), std::string::npos);
        EXPECT_EQ(xml.find("<c:crosses val=\"min\"/>"), xml.find("<c:crosses val=\"min\"/>", 0));
        EXPECT_NE(xml.find("<c:crosses val=\"min\"/>", yAxis), std::string::npos);
        EXPECT_NE(xml.find("<c:crosses val=\"min\"/>"), xml.find("<c:crosses val=\"min\"/>", yAxis));
        // Hidden cells drawn: the library leaves out "only visible cells".
        EXPECT_EQ(xml.find("<c:plotVisOnly val=\"1\"/>"), std::string::npos);
    }
    const std::size_t columns = sheet.find("<col min=\"257\" max=\"258\"");
    ASSERT_NE(columns, std::string::npos);
    EXPECT_LT(sheet.find("hidden=\"1\"", columns), sheet.find("/>", columns));
}

// Without the other axis's minimum the labelled axis's place is the
// spreadsheet's choice, and two labels fit a number format: neither chart
// gets a series of labels. The hidden cells leave the charts where they were.
TEST(XlsxChartKinds, TickLabelSeriesOnlyWhereNeededAndChartsStayInPlace) {
    const std::vector<model::TickLabel> ticks(std::begin(kRateTicks), std::end(kRateTicks));
    const std::vector<model::TickLabel> two = {kRateTicks[0], kRateTicks[8]};
    std::string error;
    const auto plain = XlsxBytes(RateCharts({RateChart(std::nullopt, ticks, 20), RateChart(0.25, two, 300)}), &error);
    ASSERT_TRUE(plain) << error;
    for (const auto& [name, xml] : ChartParts(*plain)) {
        SCOPED_TRACE(name);
        EXPECT_EQ(SeriesOf(xml).size(), 1u);
        EXPECT_EQ(xml.find("<c:crosses val=\"min\"/>"), std::string::npos);
    }
    const std::string plainSheet = Parts(*plain, "xl/worksheets/sheet1.xml").begin()->second;
    EXPECT_EQ(plainSheet.find("r=\"IX"), std::string::npos);

    const auto labelled = XlsxBytes(RateCharts({RateChart(0.25, ticks, 20), RateChart(0.25, ticks, 300)}), &error);
    ASSERT_TRUE(labelled) << error;
    const auto anchors = [](const std::string& bytes) {
        const std::string drawing = Parts(bytes, "xl/drawings/drawing1.xml").begin()->second;
        std::vector<std::string> corners;
        for (std::size_t at = drawing.find("<xdr:from>"); at != std::string::npos; at = drawing.find("<xdr:from>", at + 1))
            corners.push_back(drawing.substr(at, drawing.find("</xdr:to>", at) - at));
        return corners;
    };
    EXPECT_EQ(anchors(*labelled), anchors(*plain));
}

// Texts at the points, from cells of the sheet: marks above groups (an empty
// cell shows none) and names under the axis, whose own numbers are hidden.
TEST(XlsxChartKinds, PointTextsReachTheFileAsDataLabels) {
    Workbook book;
    Sheet& sheet = book.activeSheet();
    const char* marks[] = {"**", "", "#"};
    const char* names[] = {"模型组", "低剂量组", "高剂量组"};
    for (int r = 0; r < 3; ++r) {
        sheet.setValue(model::CellRef{r + 2, 1}, 1.0 + r);
        sheet.setValue(model::CellRef{r + 2, 2}, 10.0 + r);
        sheet.setValue(model::CellRef{r + 2, 3}, std::string(marks[r]));
        sheet.setValue(model::CellRef{r + 2, 4}, std::string(names[r]));
        sheet.setValue(model::CellRef{r + 2, 5}, 0.0);
    }
    Chart chart;
    chart.xAxis.tickNumberFormat = ";;;";
    ChartSeries above;
    above.xValues = Range("A2:A4");
    above.yValues = Range("B2:B4");
    above.markerStyle = model::MarkerStyle::None;
    above.labels = Range("C2:C4");
    ChartSeries below = above;
    below.yValues = Range("E2:E4");
    below.labels = Range("D2:D4");
    below.labelPosition = model::LabelPosition::Below;
    chart.series = {above, below};
    sheet.addChart(chart);

    std::string error;
    const auto bytes = XlsxBytes(book, &error);
    ASSERT_TRUE(bytes) << error;
    const auto parts = ChartParts(*bytes);
    ASSERT_EQ(parts.size(), 1u);
    const std::string& xml = parts.begin()->second;
    const std::size_t second = xml.find("<c:ser>", xml.find("<c:ser>") + 1);
    ASSERT_NE(second, std::string::npos);
    const std::string first = xml.substr(0, second), last = xml.substr(second);
    for (const char* text : {"**", "#", "<c:dLblPos val=\"t\"/>", "<c:delete val=\"1\"/>"})
        EXPECT_NE(first.find(text), std::string::npos) << text;
    for (const char* text : {"模型组", "低剂量组", "高剂量组", "<c:dLblPos val=\"b\"/>"})
        EXPECT_NE(last.find(text), std::string::npos) << text;
    EXPECT_NE(xml.find("formatCode=\";;;\""), std::string::npos);
}

}  // namespace
}  // namespace tavelmark::xlsx
