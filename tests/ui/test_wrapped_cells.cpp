// A cell whose text wraps: its row is as high as its lines, on the screen and
// on paper, and the lines are painted inside the cell, never over its
// neighbour.
#include <QImage>
#include <QPainter>
#include <QTest>

#include "support/pixels.h"
#include "support/qtest_class.h"
#include "ui/sheet_layout.h"
#include "ui/sheet_metrics.h"
#include "ui/sheet_painter.h"

using namespace tavelmark;

using test::CountPixels;
using test::IsDark;

namespace {

// Thirty ideographs: 60 characters of a column's width.
const std::string kThirtyIdeographs = "一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十";

// Row 3 holds an item in A and the text in B, in 10 points; rows 2 and 4
// hold a line of their own.
model::Sheet SheetWithText(const std::string& text, double width, bool wrap) {
    model::Sheet sheet;
    sheet.setGridlines(false);
    sheet.formatAll([](model::CellFormat& f) { f.font.size = 10; });
    sheet.setColumnWidth(2, width);
    sheet.setValue("A2", std::string("above"));
    sheet.setValue("A3", std::string("LD50"));
    sheet.setValue("B3", text);
    sheet.setValue("A4", std::string("below"));
    sheet.setWrapText(model::Range("B3"), wrap);
    sheet.setVerticalAlignment(model::Range("A3:B3"), model::VAlign::Top);
    return sheet;
}

}  // namespace

class WrappedCellsTest : public QObject {
    Q_OBJECT
private slots:
    void wrappedRowIsAsHighAsItsLines_data();
    void wrappedRowIsAsHighAsItsLines();
    void linesArePaintedInsideTheirCell();
};

void WrappedCellsTest::wrappedRowIsAsHighAsItsLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("width");
    QTest::addColumn<bool>("wrap");
    QTest::addColumn<int>("lines");
    // Lines counted by hand: an ideograph takes two characters of the width.
    QTest::newRow("thirty ideographs, ten a line") << QString::fromStdString(kThirtyIdeographs) << 20.0 << true << 3;
    QTest::newRow("nine a line") << QString::fromStdString(kThirtyIdeographs) << 19.0 << true << 4;
    QTest::newRow("all on one line") << QString::fromStdString(kThirtyIdeographs) << 60.0 << true << 1;
    QTest::newRow("not wrapped, however long") << QString::fromStdString(kThirtyIdeographs) << 10.0 << false << 1;
    QTest::newRow("words") << QStringLiteral("alpha beta gamma delta") << 11.0 << true << 2;
    QTest::newRow("line feeds") << QStringLiteral("a\nb\nc") << 20.0 << true << 3;
}

void WrappedCellsTest::wrappedRowIsAsHighAsItsLines() {
    QFETCH(QString, text);
    QFETCH(double, width);
    QFETCH(bool, wrap);
    QFETCH(int, lines);
    const model::Sheet sheet = SheetWithText(text.toStdString(), width, wrap);
    // The screen and a printer's resolution.
    for (const double dotsPerInch : {96.0, 1200.0}) {
        const ui::SheetLayout layout(sheet, dotsPerInch, dotsPerInch);
        const int line = ui::RowHeightPixels(10, dotsPerInch);
        QCOMPARE(layout.cellRect(model::Cell("A2")).height(), line);
        QCOMPARE(layout.cellRect(model::Cell("B3")).height(), lines * line);
        QCOMPARE(layout.cellRect(model::Cell("A3")).height(), lines * line);  // the whole row
        QCOMPARE(layout.rowTop(4), layout.rowTop(3) + lines * line);
        QCOMPARE(layout.cellRect(model::Cell("A4")).height(), line);
    }
}

// Each of the three lines shows in its own band of the row, from the cell's
// left edge; the empty cell to the right stays blank (a wrapped text does
// not run on), and nothing is painted beyond the row.
void WrappedCellsTest::linesArePaintedInsideTheirCell() {
    const model::Sheet sheet = SheetWithText(kThirtyIdeographs, 20, true);
    const ui::SheetLayout layout(sheet, 96, 96);
    QImage image(layout.contentSize().width() + 200, layout.contentSize().height() + 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        ui::SheetPaintOptions options;
        options.showSelection = false;
        ui::PaintSheet(painter, sheet, layout, options, image.rect());
    }
    const QRect cell = layout.cellRect(model::Cell("B3"));
    const int line = ui::RowHeightPixels(10, 96);
    QCOMPARE(cell.height(), 3 * line);
    for (int n = 0; n < 3; ++n) {
        const QRect band(cell.left(), cell.top() + n * line, cell.width(), line);
        QVERIFY2(CountPixels(image, band, IsDark) > 100, qPrintable(QStringLiteral("line %1").arg(n + 1)));
        // Ten ideographs fill the line: ink from its first tenth to its last fifth.
        QVERIFY(CountPixels(image, QRect(band.left(), band.top(), band.width() / 10, line), IsDark) > 5);
        const int lastFifth = band.width() / 5;
        QVERIFY(CountPixels(image, QRect(band.right() + 1 - lastFifth, band.top(), lastFifth, line), IsDark) > 5);
    }
    const QRect right(cell.right() + 1, cell.top(), 200, cell.height());
    QCOMPARE(CountPixels(image, right, IsDark), 0);
    // The item beside it sits on the first line.
    const QRect item = layout.cellRect(model::Cell("A3"));
    QVERIFY(CountPixels(image, QRect(item.left(), item.top(), item.width(), line), IsDark) > 20);
    QCOMPARE(CountPixels(image, QRect(item.left(), item.top() + line, item.width(), 2 * line), IsDark), 0);
}

TAVELMARK_QTEST_CLASS(WrappedCellsTest)
#include "test_wrapped_cells.moc"
