// Charts of the result model as the result window draws them: bars with
// their categories, error bars reaching each point's limits, dashed lines,
// fixed axis spans, labelled ticks and texts at points.
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QImage>
#include <QPainter>
#include <QMap>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTest>
#include <QValueAxis>

#include <algorithm>
#include <memory>

#include "model/cell_ref.h"
#include "support/qtest_class.h"
#include "ui/chart_builder.h"
#include "ui/error_bars.h"

using namespace tavelmark;

namespace {

// Rates of two groups, the amounts of their error bars beside them:
// R 0.375 from 0.2293 to 0.5475, T 0.6333 from 0.4551 to 0.7813.
model::Sheet RatesSheet() {
    model::Sheet sheet("扩展结果");
    sheet.setValue("A2", std::string("R组"));
    sheet.setValue("A3", std::string("T组"));
    const double rates[] = {0.375, 0.6333}, lower[] = {0.2293, 0.4551}, upper[] = {0.5475, 0.7813};
    for (int i = 0; i < 2; ++i) {
        sheet.setValue(model::CellRef{2 + i, 2}, rates[i]);
        sheet.setValue(model::CellRef{2 + i, 5}, upper[i] - rates[i]);
        sheet.setValue(model::CellRef{2 + i, 6}, rates[i] - lower[i]);
    }
    for (int r = 0; r < 4; ++r) {
        sheet.setValue(model::CellRef{10 + r, 1}, 1.0 + r % 2);
        sheet.setValue(model::CellRef{10 + r, 2}, 30.0 + 5 * r);
    }
    return sheet;
}

model::ChartSeries Bars() {
    model::ChartSeries s;
    s.sheetName = "扩展结果";
    s.kind = model::SeriesKind::Column;
    s.xValues = model::Range("A2:A3");
    s.yValues = model::Range("B2:B3");
    s.errorPlus = model::Range("E2:E3");
    s.errorMinus = model::Range("F2:F3");
    return s;
}

// The lowest and highest y a line series reaches.
std::pair<double, double> YSpan(const QLineSeries& line) {
    const auto points = line.points();
    const auto [low, high] = std::minmax_element(points.begin(), points.end(),
                                                 [](const QPointF& a, const QPointF& b) { return a.y() < b.y(); });
    return {low->y(), high->y()};
}

std::vector<QLineSeries*> LinesOf(QChart& chart) {
    std::vector<QLineSeries*> lines;
    for (QAbstractSeries* s : chart.series())
        if (s->type() == QAbstractSeries::SeriesTypeLine) lines.push_back(static_cast<QLineSeries*>(s));
    return lines;
}

}  // namespace

class ChartBuilderTest : public QObject {
    Q_OBJECT
private slots:
    void columnsStandOnTheirCategoriesWithErrorBarsToTheLimits();
    void errorBarPathRunsFromLowerToUpperCapThroughItsPoint();
    void scatterChartsTakeDashesAxisSpansAndTickLabels();
    void pointTextsStandAboveOrBelowTheirPoints();
    void manyDotsAreDrawnWhereTheyLieWithoutALine();
};

void ChartBuilderTest::columnsStandOnTheirCategoriesWithErrorBarsToTheLimits() {
    const model::Sheet sheet = RatesSheet();
    model::Chart chart;
    chart.yAxis.minimum = 0;
    chart.yAxis.maximum = 1;
    chart.yAxis.majorUnit = 0.2;
    chart.series = {Bars()};
    std::unique_ptr<QChart> built(ui::BuildChart(chart, [&](const std::string&) { return &sheet; }));

    auto* bars = qobject_cast<QBarSeries*>(built->series().front());
    QVERIFY(bars);
    QCOMPARE(bars->barSets().size(), 1);
    QCOMPARE(bars->barSets().front()->at(0), 0.375);
    QCOMPARE(bars->barSets().front()->at(1), 0.6333);
    const auto xAxes = built->axes(Qt::Horizontal);
    QCOMPARE(xAxes.size(), 1);
    auto* categories = qobject_cast<QBarCategoryAxis*>(xAxes.front());
    QVERIFY(categories);
    QCOMPARE(categories->categories(), (QStringList{QStringLiteral("R组"), QStringLiteral("T组")}));
    auto* y = qobject_cast<QValueAxis*>(built->axes(Qt::Vertical).front());
    QVERIFY(y);
    QCOMPARE(y->min(), 0.0);
    QCOMPARE(y->max(), 1.0);

    // One error bar per bar, over its category, from the lower to the upper limit.
    const auto lines = LinesOf(*built);
    QCOMPARE(lines.size(), std::size_t{2});
    const double lower[] = {0.2293, 0.4551}, upper[] = {0.5475, 0.7813};
    for (int i = 0; i < 2; ++i) {
        const auto [low, high] = YSpan(*lines[i]);
        QVERIFY(qAbs(low - lower[i]) < 1e-12);
        QVERIFY(qAbs(high - upper[i]) < 1e-12);
        for (const QPointF& p : lines[i]->points()) QVERIFY(qAbs(p.x() - i) < 0.5);
    }
}

void ChartBuilderTest::errorBarPathRunsFromLowerToUpperCapThroughItsPoint() {
    const auto path = ui::ErrorBarPath(2, 0.5, {0.25, 0.125}, 0.1);
    // Lower cap, the stem up through the point, upper cap.
    const std::vector<QPointF> expected = {{1.9, 0.375}, {2.1, 0.375}, {2, 0.375},
                                           {2, 0.75},    {1.9, 0.75},  {2.1, 0.75}};
    QCOMPARE(path, expected);

    // Amounts only where both cells of a point hold numbers.
    model::Sheet sheet = RatesSheet();
    sheet.setValue("F3", std::string("—"));
    const auto amounts = ui::SeriesErrorAmounts(sheet, Bars());
    QCOMPARE(amounts.size(), std::size_t{2});
    QVERIFY(amounts[0] && !amounts[1]);
    QVERIFY(qAbs(amounts[0]->plus - (0.5475 - 0.375)) < 1e-15);
}

void ChartBuilderTest::scatterChartsTakeDashesAxisSpansAndTickLabels() {
    const model::Sheet sheet = RatesSheet();
    model::Chart chart;
    chart.xAxis.minimum = 0;
    chart.xAxis.maximum = 3;
    chart.xAxis.majorUnit = 1;
    chart.xAxis.tickLabels = {{1, "T组"}, {2, "R组"}};
    model::ChartSeries line;
    line.sheetName = "扩展结果";
    line.kind = model::SeriesKind::ScatterLinesNoMarkers;
    line.xValues = model::Range("A10:A13");
    line.yValues = model::Range("B10:B13");
    line.dashedLine = true;
    model::ChartSeries dots = line;
    dots.kind = model::SeriesKind::Scatter;
    dots.dashedLine = false;
    chart.series = {line, dots};
    std::unique_ptr<QChart> built(ui::BuildChart(chart, [&](const std::string&) { return &sheet; }));

    auto* drawn = qobject_cast<QLineSeries*>(built->series().at(0));
    QVERIFY(drawn && drawn->type() == QAbstractSeries::SeriesTypeLine);
    QCOMPARE(drawn->pen().style(), Qt::DashLine);
    auto* scatter = qobject_cast<QScatterSeries*>(built->series().at(1));
    QVERIFY(scatter);
    QCOMPARE(scatter->count(), 4);

    auto* x = qobject_cast<QCategoryAxis*>(built->axes(Qt::Horizontal).front());
    QVERIFY(x);
    QCOMPARE(x->min(), 0.0);
    QCOMPARE(x->max(), 3.0);
    QCOMPARE(x->categoriesLabels(), (QStringList{QStringLiteral("T组"), QStringLiteral("R组")}));
    QCOMPARE(x->endValue(QStringLiteral("T组")), 1.0);
    QCOMPARE(x->endValue(QStringLiteral("R组")), 2.0);
    QCOMPARE(x->labelsPosition(), QCategoryAxis::AxisLabelsPositionOnValue);
    // Without a span of its own the y axis still holds every point.
    auto* y = qobject_cast<QValueAxis*>(built->axes(Qt::Vertical).front());
    QVERIFY(y && !qobject_cast<QCategoryAxis*>(y));
    QVERIFY(y->min() <= 30 && y->max() >= 45);
}

// Marks above two points (an empty cell shows none) and names under the
// axis, whose numbers are hidden: text items of the chart placed at their
// points once the chart is laid out, the names inside the chart.
void ChartBuilderTest::pointTextsStandAboveOrBelowTheirPoints() {
    model::Sheet sheet = RatesSheet();
    const char* marks[] = {"**", "", "#"};
    const char* names[] = {"模型组", "低剂量组", "高剂量组"};
    for (int r = 0; r < 3; ++r) {
        sheet.setValue(model::CellRef{20 + r, 1}, 1.0 + r);
        sheet.setValue(model::CellRef{20 + r, 2}, 40.0 + r);
        sheet.setValue(model::CellRef{20 + r, 3}, std::string(marks[r]));
        sheet.setValue(model::CellRef{20 + r, 4}, std::string(names[r]));
        sheet.setValue(model::CellRef{20 + r, 5}, 30.0);
    }
    model::Chart chart;
    chart.xAxis.minimum = 0.5;
    chart.xAxis.maximum = 3.5;
    chart.xAxis.tickNumberFormat = ";;;";
    chart.yAxis.minimum = 30;
    chart.yAxis.maximum = 50;
    model::ChartSeries above;
    above.sheetName = "扩展结果";
    above.xValues = model::Range("A20:A22");
    above.yValues = model::Range("B20:B22");
    above.markerStyle = model::MarkerStyle::None;
    above.labels = model::Range("C20:C22");
    model::ChartSeries below = above;
    below.yValues = model::Range("E20:E22");
    below.labels = model::Range("D20:D22");
    below.labelPosition = model::LabelPosition::Below;
    chart.series = {above, below};
    std::unique_ptr<QChart> built(ui::BuildChart(chart, [&](const std::string&) { return &sheet; }));
    ui::FitChart(*built, QSizeF(400, 300));

    QMap<QString, QRectF> texts;
    for (QGraphicsItem* child : built->childItems())
        if (auto* text = dynamic_cast<QGraphicsSimpleTextItem*>(child)) texts[text->text()] = text->sceneBoundingRect();
    QCOMPARE(texts.keys(), (QStringList{QStringLiteral("#"), QStringLiteral("**"), QStringLiteral("低剂量组"),
                                        QStringLiteral("模型组"), QStringLiteral("高剂量组")}));
    const QPointF first = built->mapToPosition(QPointF(1, 40), built->series().at(0));
    QVERIFY(texts["**"].bottom() <= first.y());
    QVERIFY(qAbs(texts["**"].center().x() - first.x()) < 1);
    const QPointF axis = built->mapToPosition(QPointF(1, 30), built->series().at(1));
    QVERIFY(texts["模型组"].top() >= axis.y());
    QVERIFY(texts["模型组"].bottom() <= built->size().height());
    QVERIFY(!built->axes(Qt::Horizontal).front()->labelsVisible());
}

// A dot chart of two groups of 150 values, as the several-groups report draws
// them: so many circles are drawn as one stamped picture each, and every dot
// must still show where its value lies, with nothing drawn between groups.
void ChartBuilderTest::manyDotsAreDrawnWhereTheyLieWithoutALine() {
    model::Sheet sheet("Sheet1");
    constexpr int kPerGroup = 150;
    for (int r = 0; r < 2 * kPerGroup; ++r) {
        sheet.setValue(model::CellRef{1 + r, 1}, r < kPerGroup ? 1.0 : 3.0);
        sheet.setValue(model::CellRef{1 + r, 2}, 30.0 + (r % kPerGroup) * 0.1);
    }
    model::Chart chart;
    chart.xAxis.minimum = 0;
    chart.xAxis.maximum = 4;
    chart.yAxis.minimum = 20;
    chart.yAxis.maximum = 50;
    model::ChartSeries dots;
    dots.xValues = model::Range("A1:A300");
    dots.yValues = model::Range("B1:B300");
    dots.markerStyle = model::MarkerStyle::Circle;
    dots.markerSize = 4;
    chart.series = {dots};
    QGraphicsScene scene;
    QChart* built = ui::BuildChart(chart, [&](const std::string&) { return &sheet; });
    scene.addItem(built);
    ui::FitChart(*built, QSizeF(400, 300));
    QCOMPARE(qobject_cast<QXYSeries*>(built->series().front())->count(), 2 * kPerGroup);

    QImage picture(400, 300, QImage::Format_ARGB32);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        scene.render(&painter, QRectF(0, 0, 400, 300), QRectF(0, 0, 400, 300));
    }
    const auto at = [&](double x, double y) {
        const QPoint p = built->mapToPosition(QPointF(x, y), built->series().front()).toPoint();
        return picture.pixelColor(p);
    };
    for (const double y : {30.0, 37.5, 44.9}) {
        QVERIFY2(at(1, y) != QColor(Qt::white), qPrintable(QString("no dot at 1, %1").arg(y)));
        QVERIFY2(at(3, y) != QColor(Qt::white), qPrintable(QString("no dot at 3, %1").arg(y)));
    }
    // Between the groups, and beyond the highest value: nothing.
    QCOMPARE(at(2, 37.5), QColor(Qt::white));
    QCOMPARE(at(1, 48), QColor(Qt::white));
}

TAVELMARK_QTEST_CLASS(ChartBuilderTest)
#include "test_chart_builder.moc"
