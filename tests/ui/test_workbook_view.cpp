// The result window's view of a workbook: layout, what the paint shows, the
// chart, and the save and PDF steps behind its actions.
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QTemporaryDir>
#include <QTest>

#include "report/report_frame.h"
#include "support/pixels.h"
#include "support/qtest_class.h"
#include "ui/chart_builder.h"
#include "ui/result_window.h"
#include "ui/sheet_layout.h"
#include "ui/sheet_metrics.h"
#include "ui/sheet_painter.h"
#include "ui/workbook_view.h"

using namespace tavelmark;

using test::CountPixels;
using test::IsBlue;
using test::IsDark;
using test::IsRed;

namespace {

// A report as the frame makes them: titles, a ruled table with a long
// caption, a superscript, a merge, centre across selection, formatted
// numbers and a scatter chart with a fitted line.
model::Workbook SampleReport(bool withBackground) {
    model::Workbook book;
    model::Sheet& sheet = book.activeSheet();
    sheet.setGridlines(false);
    if (withBackground) sheet.setBackgroundPicture(std::string(TAVELMARK_RESOURCES) + "/brg.jpg");
    report::SetUpReportSheet(sheet, report::ReportLayout{8.5, 4.5, "LDk两两对比计算结果"});
    sheet.setValue("A4", std::string("两两比较结果 ( 表中为 t 检验所得 P 值, - 表示无统计意义)"));
    report::DrawTableRules(sheet, 4, 8, 1, 10);
    sheet.setValue("B5", std::string("第2批"));
    sheet.setValue("A6", std::string("χ2值"));
    sheet.setSuperscript(model::Cell("A6"), 1, 1);
    sheet.setValue("B6", std::string("0.031817 +"));
    sheet.setValue("B7", std::string("merged"));
    sheet.merge(model::Range("B7:C7"));
    sheet.setHorizontalAlignment(model::Range("B7:C7"), model::HAlign::Center);
    sheet.setValue("A9", std::string("centred"));
    sheet.setHorizontalAlignment(model::Range("A9:D9"), model::HAlign::CenterAcrossSelection);
    sheet.setNumberFormat(model::Range("A20:B24"), "0.0000_ ");
    for (int i = 0; i < 5; ++i) {
        sheet.setValue(model::CellRef{20 + i, 1}, 1.0 + 0.1 * i);
        sheet.setValue(model::CellRef{20 + i, 2}, 4.0 + 0.5 * i);
    }
    sheet.setValue("B22", std::string("gap"));  // a text leaves a gap in the series
    model::Chart chart;
    chart.name = "Chart 1";
    chart.title = "Yr-X";
    chart.xAxis.title = "X";
    chart.yAxis.title = "Yr";
    chart.yAxis.tickNumberFormat = "0.00_ ";
    chart.series.push_back({"Sheet1", model::Range("A20:A24"), model::Range("B20:B24"), model::SeriesKind::Scatter, 0, 5, 6,
                            model::MarkerStyle::Square});
    chart.series.push_back({"Sheet1", model::Range("A20:A24"), model::Range("B20:B24"),
                            model::SeriesKind::ScatterLinesNoMarkers, 10, 0, 5, model::MarkerStyle::None});
    chart.left = 20;
    chart.top = 360;
    chart.width = 300;
    chart.height = 200;
    sheet.addChart(chart);
    return book;
}

}  // namespace

class WorkbookViewTest : public QObject {
    Q_OBJECT
private slots:
    void sizesFollowTheSpreadsheetsRules_data();
    void sizesFollowTheSpreadsheetsRules();
    void paintShowsTitlesRulesAndRunOnText();
    void textKeepsItsSizeOnAnyResolution();
    void rendersWithBackgroundAndChart();
    void seriesReadNumbersOnly();
    void axisLabelFormats_data();
    void axisLabelFormats();
    void saveAndPdfWriteFiles();
    void titleSaysWhatTheWindowHoldsAndWhen();
    void copyPutsTextAndThreeLineTablesOnTheClipboard();
};

void WorkbookViewTest::sizesFollowTheSpreadsheetsRules_data() {
    QTest::addColumn<double>("characters");
    QTest::addColumn<int>("pixels");
    // Column widths: 7 pixels a character rounded, plus 5 (the spreadsheet's rule
    // for its standard font at 96 dpi; 8.43 is its default column of 64 pixels).
    QTest::newRow("default") << 8.43 << 64;
    QTest::newRow("LDk report column A") << 4.5 << 37;
    QTest::newRow("LDk report columns") << 8.5 << 65;
    QTest::newRow("grid column A") << 7.0 << 54;
    QTest::newRow("hidden") << 0.0 << 0;
}

void WorkbookViewTest::sizesFollowTheSpreadsheetsRules() {
    QFETCH(double, characters);
    QFETCH(int, pixels);
    QCOMPARE(ui::ColumnWidthPixels(characters, 96), pixels);
    QCOMPARE(ui::ColumnWidthPixels(characters, 192), 2 * pixels);
}

void WorkbookViewTest::paintShowsTitlesRulesAndRunOnText() {
    const model::Workbook book = SampleReport(false);
    const model::Sheet& sheet = book.activeSheet();
    const ui::SheetLayout layout(sheet, 96, 96);
    QCOMPARE(layout.cellRect(model::Cell("B1")).left(), 37);
    QCOMPARE(layout.cellRect(model::Cell("C1")).left(), 37 + 65);
    // Rows of the 14-point titles are higher than the 10-point rows.
    QVERIFY(layout.cellRect(model::Cell("A1")).height() > layout.cellRect(model::Cell("A5")).height());

    ui::WorkbookView view(book);
    view.resize(900, 700);
    const QImage image = view.grab().toImage();
    QVERIFY(!image.isNull());
    const QPoint origin = view.sheetView()->widget()->mapTo(&view, QPoint(0, 0));
    auto onScreen = [&](QRect r) { return r.translated(origin); };
    QVERIFY(CountPixels(image, onScreen(layout.cellRect(model::Cell("A1")).united(layout.cellRect(model::Cell("D1")))), IsRed) > 20);
    QVERIFY(CountPixels(image, onScreen(layout.cellRect(model::Cell("A2")).united(layout.cellRect(model::Cell("D2")))), IsBlue) > 20);
    // The medium rule under the caption row spans A:J, two pixels deep.
    const QRect a4 = layout.cellRect(model::Cell("A4"));
    const QRect j4 = layout.cellRect(model::Cell("J4"));
    const QRect rule = onScreen(QRect(QPoint(a4.left(), a4.bottom() - 1), QPoint(j4.right(), a4.bottom())));
    QCOMPARE(CountPixels(image, rule, IsDark), rule.width() * rule.height());
    // The thin rule under the header row is one pixel.
    const QRect a5 = onScreen(layout.cellRect(model::Cell("A5")));
    QVERIFY(IsDark(image.pixel(a5.center().x(), a5.bottom())));
    QVERIFY(!IsDark(image.pixel(a5.center().x(), a5.bottom() - 1)));
    // The long caption runs on over the empty cells to its right.
    const QRect d4 = onScreen(layout.cellRect(model::Cell("D4")).adjusted(0, 0, 0, -3));
    QVERIFY(CountPixels(image, d4, IsDark) > 5);
}

// A layout made for 96 dpi painted on a device of three times the
// resolution (a printer has 1200): the text keeps its size in layout pixels.
void WorkbookViewTest::textKeepsItsSizeOnAnyResolution() {
    const model::Workbook book = SampleReport(false);
    const ui::SheetLayout layout(book.activeSheet(), 96, 96);
    const QRect titles = layout.cellRect(model::Cell("A1")).united(layout.cellRect(model::Cell("J2")));
    auto inkWidth = [&](int dotsPerInch) {
        QImage image(titles.size(), QImage::Format_RGB32);
        image.setDotsPerMeterX(qRound(dotsPerInch / 0.0254));
        image.setDotsPerMeterY(qRound(dotsPerInch / 0.0254));
        QPainter painter(&image);
        ui::SheetPaintOptions options;
        options.showSelection = false;
        ui::PaintSheet(painter, book.activeSheet(), layout, options, titles);
        painter.end();
        int left = image.width(), right = -1;
        for (int x = 0; x < image.width(); ++x)
            if (CountPixels(image, QRect(x, 0, 1, image.height()), IsRed) > 0) {
                left = std::min(left, x);
                right = x;
            }
        return right - left + 1;
    };
    const int onScreen = inkWidth(96);
    QVERIFY(onScreen > 100);  // the red brand line
    QVERIFY2(std::abs(inkWidth(288) - onScreen) <= 2, qPrintable(QString::number(inkWidth(288))));
}

void WorkbookViewTest::rendersWithBackgroundAndChart() {
    const model::Workbook book = SampleReport(true);
    ui::WorkbookView view(book);
    view.resize(800, 900);
    QVERIFY(!view.background().isNull());  // brg.jpg shipped in resources/
    const QImage image = view.grab().toImage();
    QVERIFY(!image.isNull());
    QCOMPARE(view.chartViews().size(), std::size_t{1});
    QChart* chart = view.chartViews().front()->chart();
    QCOMPARE(chart->series().size(), 2);
    auto* scatter = qobject_cast<QScatterSeries*>(chart->series().at(0));
    QVERIFY(scatter);
    QCOMPARE(scatter->count(), 4);  // the text in B22 leaves a gap
    QVERIFY(qobject_cast<QLineSeries*>(chart->series().at(1)));
    QCOMPARE(chart->title(), QStringLiteral("Yr-X"));
    QVERIFY(!chart->legend()->isVisible());
    // The chart sits where its shape says: 20 points in, 360 points down.
    const QRect place = view.chartViews().front()->geometry();
    QCOMPARE(place.topLeft(), QPoint(27, 480));
}

void WorkbookViewTest::seriesReadNumbersOnly() {
    const model::Workbook book = SampleReport(false);
    const auto points = ui::SeriesPoints(book.activeSheet(), book.activeSheet().charts().front().series.front());
    QCOMPARE(points.size(), std::size_t{4});
    QCOMPARE(points.front().first, 1.0);
    QCOMPARE(points.back().second, 6.0);
}

void WorkbookViewTest::axisLabelFormats_data() {
    QTest::addColumn<QString>("numberFormat");
    QTest::addColumn<QString>("label");
    QTest::newRow("two decimals padded") << "0.00_ " << "%.2f";
    QTest::newRow("four decimals") << "0.0000" << "%.4f";
    QTest::newRow("whole") << "0" << "%.0f";
    QTest::newRow("general") << "General" << "%g";
}

void WorkbookViewTest::axisLabelFormats() {
    QFETCH(QString, numberFormat);
    QFETCH(QString, label);
    QCOMPARE(ui::AxisLabelFormat(numberFormat.toStdString()), label);
}

void WorkbookViewTest::saveAndPdfWriteFiles() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    ui::ResultWindow window(SampleReport(true));
    QVERIFY(window.windowTitle().startsWith(QStringLiteral("LDk两两对比计算结果 ")));
    // Nothing is written until asked.
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 0);
    const QString xlsx = folder.filePath(QStringLiteral("report.xlsx"));
    QVERIFY(window.saveTo(xlsx));
    QFile saved(xlsx);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.read(2), QByteArray("PK"));  // a zip container
    const QString pdf = folder.filePath(QStringLiteral("report.pdf"));
    QVERIFY(window.exportPdfTo(pdf));
    QFile printed(pdf);
    QVERIFY(printed.open(QIODevice::ReadOnly));
    QCOMPARE(printed.read(4), QByteArray("%PDF"));
}

TAVELMARK_QTEST_CLASS(WorkbookViewTest)
void WorkbookViewTest::titleSaysWhatTheWindowHoldsAndWhen() {
    const QTime at(15, 42, 7);
    const struct {
        const char* heading;
        const char* title;
    } cases[] = {
        {"Bliss法(正规LD50计算)计算结果", "Bliss法计算结果 15:42:07"},
        {"智能化两组均数分析(两组t检验，t'检验及非参检验)计算结果", "智能化两组均数分析计算结果 15:42:07"},
        {"智能化两组阳性率分析(2×2卡方法)计算结果", "智能化两组阳性率分析计算结果 15:42:07"},
        {"LDk两两对比计算结果", "LDk两两对比计算结果 15:42:07"},
    };
    for (const auto& c : cases) {
        model::Workbook book;
        book.activeSheet().setValue("A2", std::string(c.heading));
        QCOMPARE(ui::ResultWindowTitle(book, at), QString::fromUtf8(c.title));
    }
    QCOMPARE(ui::ResultWindowTitle(model::Workbook{}, at), QStringLiteral("计算结果 15:42:07"));
}

void WorkbookViewTest::copyPutsTextAndThreeLineTablesOnTheClipboard() {
    ui::ResultWindow window(SampleReport(false));
    window.copyAction()->trigger();
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    QVERIFY(copied->text().contains(QStringLiteral("0.031817 +")));
    QVERIFY(copied->text().contains(QLatin1Char('\t')));
    QVERIFY(copied->html().contains(QStringLiteral("χ<sup>2</sup>值")));

    window.copyThreeLineAction()->trigger();
    copied = QGuiApplication::clipboard()->mimeData();
    QVERIFY(copied->html().contains(QStringLiteral("border-top:1.5pt solid")));
    QVERIFY(copied->html().contains(QStringLiteral("两两比较结果")));
    QVERIFY(copied->text().contains(QStringLiteral("第2批")));
}

#include "test_workbook_view.moc"
