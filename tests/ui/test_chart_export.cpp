// A report chart saved for a paper: the context menu's two entries, a PNG of
// 300 dpi with the resolution in its file, an SVG that holds the series, and
// a save that fails saying why and leaving nothing behind.
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include "support/box_catcher.h"
#include "support/pixels.h"
#include "support/qtest_class.h"
#include "ui/chart_export.h"
#include "ui/workbook_view.h"

using namespace tavelmark;
using model::Range;

namespace {

// A sheet with one chart of 300 x 200 points: blue square markers (palette
// colour 5) and a red line through them (palette colour 3).
model::Workbook ChartReport() {
    model::Workbook book;
    model::Sheet& sheet = book.activeSheet();
    for (int i = 0; i < 5; ++i) {
        sheet.setValue(model::CellRef{20 + i, 1}, 1.0 + 0.1 * i);
        sheet.setValue(model::CellRef{20 + i, 2}, 4.0 + 0.5 * i);
    }
    model::Chart chart;
    chart.name = "Chart 1";
    chart.title = "Yr-X";
    chart.xAxis.title = "X";
    chart.yAxis.title = "Yr";
    chart.series.push_back({"Sheet1", Range("A20:A24"), Range("B20:B24"), model::SeriesKind::Scatter, 0, 5, 6,
                            model::MarkerStyle::Square});
    chart.series.push_back({"Sheet1", Range("A20:A24"), Range("B20:B24"), model::SeriesKind::ScatterLinesNoMarkers,
                            3, 0, 5, model::MarkerStyle::None});
    chart.left = 20;
    chart.top = 20;
    chart.width = 300;
    chart.height = 200;
    sheet.addChart(chart);
    return book;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The pHYs chunk of a PNG: pixels per unit in x and y, and the unit (1: metre).
struct PngResolution {
    quint32 x = 0, y = 0;
    int unit = -1;
};
PngResolution ResolutionIn(const QByteArray& png) {
    const qsizetype at = png.indexOf("pHYs");
    if (at < 0 || at + 13 > png.size()) return {};
    const auto* data = reinterpret_cast<const uchar*>(png.constData() + at + 4);
    return {qFromBigEndian<quint32>(data), qFromBigEndian<quint32>(data + 4), data[8]};
}

// The chart saved from its sheet's view as a user saves it, read back, with
// the size and resolution it has on the screen.
struct SavedChart {
    bool saved = false;
    QByteArray bytes;
    QSize onScreen;
    int screenDpiX = 0, screenDpiY = 0;
};
SavedChart SaveChart(ui::ChartPictureKind kind) {
    const model::Workbook book = ChartReport();
    ui::WorkbookView view(book);
    view.resize(700, 500);
    QChartView* chart = view.chartViews().front();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("chart"));
    SavedChart result;
    result.saved = view.sheetView()->saveChartPicture(chart, kind, path);
    result.bytes = ReadAll(path);
    result.onScreen = chart->size();
    result.screenDpiX = chart->logicalDpiX();
    result.screenDpiY = chart->logicalDpiY();
    return result;
}

}  // namespace

class ChartExportTest : public QObject {
    Q_OBJECT
private slots:
    void contextMenuOffersBothPictures();
    void pngHas300DotsPerInch();
    void svgHoldsTheSeries();
    void failedSaveSaysWhyAndLeavesNothing();
};

void ChartExportTest::contextMenuOffersBothPictures() {
    const model::Workbook book = ChartReport();
    ui::WorkbookView view(book);
    QChartView* chart = view.chartViews().front();
    QCOMPARE(chart->contextMenuPolicy(), Qt::ActionsContextMenu);
    QStringList entries;
    for (const QAction* action : chart->actions()) entries << action->text();
    QCOMPARE(entries, (QStringList{QStringLiteral("保存图表为PNG…"), QStringLiteral("保存图表为SVG…")}));
}

void ChartExportTest::pngHas300DotsPerInch() {
    const SavedChart png = SaveChart(ui::ChartPictureKind::Png);
    QVERIFY(png.saved);
    const QByteArray& bytes = png.bytes;
    QVERIFY(bytes.startsWith("\x89PNG\r\n\x1a\n"));
    // 300 dpi is 11811 pixels a metre, as the file says it.
    const PngResolution resolution = ResolutionIn(bytes);
    QCOMPARE(resolution.unit, 1);
    QCOMPARE(resolution.x, 11811u);
    QCOMPARE(resolution.y, 11811u);
    // The same inches as on the screen: the chart's 300 x 200 points are
    // 400 x 267 pixels at 96 dpi, and 1250 x 834 at 300 dpi.
    QImage image;
    QVERIFY(image.loadFromData(bytes, "PNG"));
    QVERIFY2(std::abs(image.width() - 300.0 * png.onScreen.width() / png.screenDpiX) <= 1,
             qPrintable(QString::number(image.width())));
    QVERIFY(std::abs(image.height() - 300.0 * png.onScreen.height() / png.screenDpiY) <= 1);
    if (png.screenDpiX == 96) QCOMPARE(image.size(), QSize(1250, 834));
    // Drawn at that size, not enlarged: the markers and the line are there.
    QVERIFY(test::CountPixels(image, image.rect(), test::IsBlue) > 200);
    QVERIFY(test::CountPixels(image, image.rect(), test::IsRed) > 200);
}

void ChartExportTest::svgHoldsTheSeries() {
    const SavedChart saved = SaveChart(ui::ChartPictureKind::Svg);
    QVERIFY(saved.saved);
    const QByteArray& svg = saved.bytes;
    QVERIFY(svg.contains("<svg"));
    QVERIFY(svg.contains("<title>Yr-X</title>"));
    // The fitted line in red and the markers in blue, as vector shapes.
    QVERIFY(svg.contains("stroke=\"#ff0000\""));
    QVERIFY(svg.contains("fill=\"#0000ff\""));
    QVERIFY(!svg.contains("<image"));
    // It draws again as the chart: the same colours where the chart has them.
    QSvgRenderer renderer(svg);
    QVERIFY(renderer.isValid());
    QImage drawn(renderer.defaultSize(), QImage::Format_RGB32);
    drawn.fill(Qt::white);
    QPainter painter(&drawn);
    renderer.render(&painter);
    painter.end();
    QVERIFY(test::CountPixels(drawn, drawn.rect(), test::IsBlue) > 20);
    QVERIFY(test::CountPixels(drawn, drawn.rect(), test::IsRed) > 20);
}

void ChartExportTest::failedSaveSaysWhyAndLeavesNothing() {
    const model::Workbook book = ChartReport();
    ui::WorkbookView view(book);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("gone/chart.png"));
    test::BoxCatcher boxes;
    QVERIFY(!view.sheetView()->saveChartPicture(view.chartViews().front(), ui::ChartPictureKind::Png, path));
    QCOMPARE(boxes.boxes.size(), std::size_t{1});
    QCOMPARE(boxes.boxes.front().title, QStringLiteral("保存失败"));
    QVERIFY(boxes.boxes.front().text.contains(QStringLiteral("gone")));
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

TAVELMARK_QTEST_CLASS(ChartExportTest)
#include "test_chart_export.moc"
