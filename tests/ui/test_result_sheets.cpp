// The result window as a spreadsheet: the sheets of a workbook as tabs, cells
// selected with the mouse and the keys and drawn so, the selection copied as
// text and HTML, and paper and files holding every sheet.
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QMouseEvent>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include "analyses/rates/extended_rates.h"
#include "analyses/rates/rate_table.h"
#include "support/pixels.h"
#include "support/qtest_class.h"
#include "ui/result_window.h"
#include "ui/sheet_layout.h"
#include "ui/sheet_selection.h"
#include "ui/workbook_view.h"

using namespace tavelmark;
using model::Cell, model::Range, model::RangeName;

namespace {

// A small report: a title, a table with a formatted number and a
// superscript, a merged block, and the report's own cursor on B3.
model::Workbook SmallReport() {
    model::Workbook book;
    model::Sheet& sheet = book.activeSheet();
    sheet.setGridlines(false);
    sheet.setValue("A1", std::string("小报表"));
    sheet.setValue("A2", std::string("项目"));
    sheet.setValue("B2", std::string("数据"));
    sheet.setValue("C2", std::string("单位"));
    sheet.setValue("A3", std::string("LD50"));
    sheet.setValue("B3", 12.3456);
    sheet.setNumberFormat(Range("B3"), "0.00");
    sheet.setValue("C3", std::string("mg/kg"));
    sheet.setValue("A4", std::string("χ2值"));
    sheet.setSuperscript(Cell("A4"), 1, 1);
    sheet.setValue("B4", 3.5);
    sheet.setValue("B6", std::string("合并"));
    sheet.merge(Range("B6:C6"));
    sheet.select(Cell("B3"));
    return book;
}

// The small report and, as the extended-results option adds it, the rates
// analysis's "扩展结果" sheet for the 2x2 table 10/20 against 15/15.
model::Workbook TwoSheetReport() {
    model::Workbook book = SmallReport();
    rates::WriteExtendedResults(book, rates::ComputeExtendedRates(rates::MakeRateTable(10, 20, 15, 15)));
    return book;
}

QWidget* Canvas(ui::ResultWindow& window) { return window.view()->sheetView()->widget(); }

QPoint CentreOf(ui::ResultWindow& window, const char* a1) {
    return window.view()->sheetView()->sheetLayout().cellRect(Cell(a1)).center();
}

void SendMouse(QWidget* canvas, QEvent::Type type, QPoint at, Qt::MouseButtons held, Qt::KeyboardModifiers keys) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, canvas->mapToGlobal(at), button, held, keys);
    QApplication::sendEvent(canvas, &event);
}

// "click B3", "shift D5", "drag B2 C4" (press, move over the cells, release).
void Gesture(ui::ResultWindow& window, const QString& gesture) {
    const QStringList words = gesture.split(QLatin1Char(' '));
    QWidget* canvas = Canvas(window);
    const QByteArray first = words.at(1).toLatin1();
    if (words.front() == QLatin1String("click") || words.front() == QLatin1String("shift")) {
        const Qt::KeyboardModifiers keys = words.front() == QLatin1String("shift") ? Qt::ShiftModifier : Qt::NoModifier;
        SendMouse(canvas, QEvent::MouseButtonPress, CentreOf(window, first), Qt::LeftButton, keys);
        SendMouse(canvas, QEvent::MouseButtonRelease, CentreOf(window, first), Qt::NoButton, keys);
        return;
    }
    const QByteArray last = words.at(2).toLatin1();
    SendMouse(canvas, QEvent::MouseButtonPress, CentreOf(window, first), Qt::LeftButton, Qt::NoModifier);
    const QPoint from = CentreOf(window, first), to = CentreOf(window, last);
    for (int step = 1; step <= 4; ++step)
        SendMouse(canvas, QEvent::MouseMove, from + (to - from) * step / 4, Qt::LeftButton, Qt::NoModifier);
    SendMouse(canvas, QEvent::MouseButtonRelease, to, Qt::NoButton, Qt::NoModifier);
}

// "Right", "Shift+Down", "Ctrl+A", "Esc", as the user presses them.
void Press(QWidget* target, const QString& keys) {
    const QKeyCombination combination = QKeySequence(keys)[0];
    QTest::keyClick(target, combination.key(), combination.keyboardModifiers());
}

QString Selected(ui::ResultWindow& window) {
    const auto range = window.view()->sheetView()->selectedRange();
    return range ? QString::fromStdString(RangeName(*range)) : QStringLiteral("none");
}

// A window on the screen and active, so that its shortcuts work.
void ShowActive(ui::ResultWindow& window) {
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

}  // namespace

class ResultSheetsTest : public QObject {
    Q_OBJECT
private slots:
    void rangeAndStepsKeepMergesWhole_data();
    void rangeAndStepsKeepMergesWhole();
    void sheetsShowAsTabs();
    void oneSheetShowsNoTabs();
    void mouseSelects_data();
    void mouseSelects();
    void keysSelect_data();
    void keysSelect();
    void selectionIsDrawnAsASpreadsheetDrawsIt();
    void copyGivesTheSelectionOrTheWholeSheet();
    void everySheetGoesOut();
    void viewSettlesAtEverySize();
};

void ResultSheetsTest::rangeAndStepsKeepMergesWhole_data() {
    QTest::addColumn<QString>("active");
    QTest::addColumn<QString>("end");
    QTest::addColumn<int>("rowStep");
    QTest::addColumn<int>("columnStep");
    QTest::addColumn<bool>("extend");
    QTest::addColumn<QString>("range");  // of the stepped selection
    QTest::addColumn<QString>("after");  // its active cell and far corner
    // Merges B6:C6, D7:E8 and E5:F6 (the last two meet only at E6).
    QTest::newRow("plain step") << "B3" << "B3" << 0 << 1 << false << "C3" << "C3 C3";
    QTest::newRow("stopped at the top edge") << "A1" << "A1" << -1 << 0 << false << "A1" << "A1 A1";
    QTest::newRow("stopped at the last column") << "J3" << "J3" << 0 << 1 << false << "J3" << "J3 J3";
    QTest::newRow("shift extends from the far corner") << "B3" << "C4" << 1 << 0 << true << "B3:C5" << "B3 C5";
    QTest::newRow("shift back over the active cell") << "B3" << "B3" << 0 << -1 << true << "A3:B3" << "B3 A3";
    QTest::newRow("plain step collapses to the active cell") << "B3" << "C4" << 1 << 0 << false << "B4" << "B4 B4";
    QTest::newRow("into a merge lands on its first cell") << "C5" << "C5" << 1 << 0 << false << "B6:C6" << "B6 B6";
    QTest::newRow("out of a merge by its far edge") << "B6" << "B6" << 0 << 1 << false << "D6" << "D6 D6";
    QTest::newRow("extending into a merge takes it whole") << "B5" << "B5" << 1 << 0 << true << "B5:C6" << "B5 B6";
    QTest::newRow("a merge met grows the block, and the next") << "D6" << "D6" << 1 << 0 << true << "D5:F8"
                                                               << "D6 D7";
}

void ResultSheetsTest::rangeAndStepsKeepMergesWhole() {
    QFETCH(QString, active);
    QFETCH(QString, end);
    QFETCH(int, rowStep);
    QFETCH(int, columnStep);
    QFETCH(bool, extend);
    QFETCH(QString, range);
    QFETCH(QString, after);
    const std::vector<model::RangeRef> merges{Range("B6:C6"), Range("D7:E8"), Range("E5:F6")};
    const ui::SheetSelection from{Cell(active.toStdString()), Cell(end.toStdString())};
    const ui::SheetSelection stepped = ui::SteppedSelection(from, rowStep, columnStep, extend, merges, {20, 10});
    QCOMPARE(QString::fromStdString(RangeName(ui::SelectedRange(stepped, merges))), range);
    QCOMPARE(QString::fromStdString(model::CellName(stepped.active) + " " + model::CellName(stepped.end)), after);
}

void ResultSheetsTest::sheetsShowAsTabs() {
    ui::ResultWindow window(TwoSheetReport());
    ShowActive(window);
    ui::WorkbookView* view = window.view();
    QTabBar* tabs = view->tabBar();
    QVERIFY(tabs != nullptr);
    QVERIFY(tabs->isVisible());
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(0), QStringLiteral("Sheet1"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("扩展结果"));
    // Below the cells, as in a spreadsheet.
    QVERIFY(tabs->mapTo(view, QPoint(0, 0)).y() >= view->sheetView()->geometry().bottom());
    QCOMPARE(view->sheet().name(), std::string("Sheet1"));

    QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(1).center());
    QCOMPARE(view->currentSheet(), 1);
    QCOMPARE(view->sheet().name(), std::string("扩展结果"));
    QVERIFY(view->sheetView()->isVisible());
    QCOMPARE(view->sheetView(0)->isVisible(), false);

    // Ctrl+PgUp and Ctrl+PgDn step through the sheets and round from the ends.
    const struct {
        const char* keys;
        int sheet;
    } steps[] = {{"Ctrl+PgUp", 0}, {"Ctrl+PgUp", 1}, {"Ctrl+PgDown", 0}, {"Ctrl+PgDown", 1}};
    for (const auto& step : steps) {
        Press(Canvas(window), QString::fromLatin1(step.keys));
        QCOMPARE(view->currentSheet(), step.sheet);
        QCOMPARE(tabs->currentIndex(), step.sheet);
        QVERIFY(view->sheetView()->isVisible());
        QVERIFY2(Canvas(window)->hasFocus(), "the keys stay with the shown sheet's cells");
    }
    // Each sheet keeps its own selection.
    Press(Canvas(window), QStringLiteral("Ctrl+A"));
    QCOMPARE(Selected(window), QStringLiteral("A1:F43"));  // the last value: F43, in the table of the chart's numbers
    Press(Canvas(window), QStringLiteral("Ctrl+PgUp"));
    QCOMPARE(Selected(window), QStringLiteral("none"));
}

void ResultSheetsTest::oneSheetShowsNoTabs() {
    ui::ResultWindow window(SmallReport());
    ShowActive(window);
    QCOMPARE(window.view()->tabBar(), nullptr);
    Press(Canvas(window), QStringLiteral("Ctrl+PgDown"));
    QCOMPARE(window.view()->currentSheet(), 0);
}

void ResultSheetsTest::mouseSelects_data() {
    QTest::addColumn<QStringList>("gestures");
    QTest::addColumn<QString>("range");
    QTest::addColumn<QString>("active");
    QTest::newRow("a click") << QStringList{"click C4"} << "C4" << "C4";
    QTest::newRow("a drag") << QStringList{"drag B2 C4"} << "B2:C4" << "B2";
    QTest::newRow("a drag up and left") << QStringList{"drag C4 A2"} << "A2:C4" << "C4";
    QTest::newRow("shift-click from a click") << QStringList{"click B2", "shift D5"} << "B2:D5" << "B2";
    QTest::newRow("shift-click from the report's cursor") << QStringList{"shift A2"} << "A2:B3" << "B3";
    QTest::newRow("shift-click again moves the corner") << QStringList{"click B2", "shift D5", "shift A3"}
                                                         << "A2:B3" << "B2";
    QTest::newRow("a click in a merge takes it whole") << QStringList{"click C6"} << "B6:C6" << "B6";
    QTest::newRow("a drag that touches a merge") << QStringList{"drag A5 B6"} << "A5:C6" << "A5";
    QTest::newRow("a new click starts afresh") << QStringList{"drag B2 C4", "click A1"} << "A1" << "A1";
}

void ResultSheetsTest::mouseSelects() {
    QFETCH(QStringList, gestures);
    QFETCH(QString, range);
    QFETCH(QString, active);
    ui::ResultWindow window(SmallReport());
    ShowActive(window);
    QCOMPARE(Selected(window), QStringLiteral("none"));
    for (const QString& gesture : gestures) Gesture(window, gesture);
    QCOMPARE(Selected(window), range);
    QCOMPARE(QString::fromStdString(model::CellName(window.view()->sheetView()->selection()->active)), active);
    QVERIFY(Canvas(window)->hasFocus());
}

void ResultSheetsTest::keysSelect_data() {
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("range");
    // The report leaves its cursor on B3; the first key starts from there.
    QTest::newRow("an arrow") << QStringList{"Right"} << "C3";
    QTest::newRow("shift and arrows") << QStringList{"Shift+Down", "Shift+Right"} << "B3:C4";
    QTest::newRow("shift back across the start") << QStringList{"Shift+Down", "Shift+Left", "Shift+Up", "Shift+Up"}
                                                 << "A2:B3";
    QTest::newRow("an arrow after shift moves from the active cell") << QStringList{"Shift+Down", "Shift+Down", "Up"}
                                                                     << "B2";
    QTest::newRow("down into the merge") << QStringList{"Down", "Down", "Down"} << "B6:C6";
    QTest::newRow("out of the merge to the right") << QStringList{"Down", "Down", "Down", "Right"} << "D6";
    QTest::newRow("stops at the first row and column") << QStringList{"Up", "Up", "Up", "Left", "Left"} << "A1";
    QTest::newRow("select all: A1 to the last value") << QStringList{"Ctrl+A"} << "A1:C6";
    QTest::newRow("Esc lets go") << QStringList{"Shift+Down", "Esc"} << "none";
}

void ResultSheetsTest::keysSelect() {
    QFETCH(QStringList, keys);
    QFETCH(QString, range);
    ui::ResultWindow window(SmallReport());
    ShowActive(window);
    // The cells have the keys from the start, without a click.
    QVERIFY(Canvas(window)->hasFocus());
    for (const QString& key : keys) Press(QApplication::focusWidget(), key);
    QCOMPARE(Selected(window), range);
}

void ResultSheetsTest::selectionIsDrawnAsASpreadsheetDrawsIt() {
    ui::ResultWindow window(SmallReport());
    ShowActive(window);
    Gesture(window, QStringLiteral("drag C4 D5"));
    const QImage image = Canvas(window)->grab().toImage();
    const ui::SheetLayout& layout = window.view()->sheetView()->sheetLayout();
    auto tinted = [](QRgb pixel) { return qGreen(pixel) < 250 && qGreen(pixel) > qRed(pixel) + 4; };
    auto white = [](QRgb pixel) { return pixel == qRgb(255, 255, 255); };
    // The empty cells of the block are tinted, the active cell C4 is not.
    for (const char* cell : {"D4", "C5", "D5"})
        QVERIFY2(tinted(image.pixel(layout.cellRect(Cell(cell)).center())), cell);
    QVERIFY(white(image.pixel(layout.cellRect(Cell("C4")).center())));
    // A heavy frame around the block: two pixels on each side.
    const QRect block = layout.rangeRect(Range("C4:D5"));
    for (const QPoint& edge : {QPoint(block.left(), block.center().y()), QPoint(block.left() + 1, block.center().y()),
                               QPoint(block.right(), block.center().y()), QPoint(block.center().x(), block.bottom())})
        QVERIFY(test::IsDark(image.pixel(edge)));
    // Outside the block nothing changes.
    QVERIFY(white(image.pixel(layout.cellRect(Cell("E6")).center())));
    QVERIFY(white(image.pixel(layout.cellRect(Cell("B5")).center())));
}

void ResultSheetsTest::copyGivesTheSelectionOrTheWholeSheet() {
    ui::ResultWindow window(SmallReport());
    ShowActive(window);
    // Nothing selected: the whole sheet, as before selections existed.
    window.copyAction()->trigger();
    QString text = QGuiApplication::clipboard()->mimeData()->text();
    QVERIFY(text.startsWith(QStringLiteral("小报表\t\t\n项目\t数据\t单位\n")));
    QVERIFY(text.contains(QStringLiteral("合并")));

    // Cells as they show: the number through its format, the superscript kept in HTML.
    Gesture(window, QStringLiteral("drag A3 B4"));
    Press(Canvas(window), QStringLiteral("Ctrl+C"));
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(copied->text(), QStringLiteral("LD50\t12.35\nχ2值\t3.5\n"));
    QCOMPARE(copied->html(), QStringLiteral("<table>\n<tr><td>LD50</td><td>12.35</td></tr>\n"
                                            "<tr><td>χ<sup>2</sup>值</td><td>3.5</td></tr>\n</table>\n"));

    // A merge is copied whole, and Esc brings back the whole sheet.
    Gesture(window, QStringLiteral("click C6"));
    window.copyAction()->trigger();
    QCOMPARE(QGuiApplication::clipboard()->mimeData()->text(), QStringLiteral("合并\t\n"));
    Press(Canvas(window), QStringLiteral("Esc"));
    window.copyAction()->trigger();
    QVERIFY(QGuiApplication::clipboard()->mimeData()->text().startsWith(QStringLiteral("小报表")));
}

void ResultSheetsTest::everySheetGoesOut() {
    ui::ResultWindow window(TwoSheetReport());
    ShowActive(window);
    // The shown sheet is the one copied.
    window.view()->showSheet(1);
    window.copyAction()->trigger();
    QVERIFY(QGuiApplication::clipboard()->mimeData()->text().startsWith(QStringLiteral("两组阳性率比较 扩展结果")));

    // The extended sheet's tables are ruled; Sheet1 of this report has none.
    window.view()->showSheet(0);
    window.copyThreeLineAction()->trigger();
    const QString html = QGuiApplication::clipboard()->mimeData()->html();
    QVERIFY(html.contains(QStringLiteral("各组阳性率及95%可信区间")));
    QVERIFY(html.contains(QStringLiteral("Newcombe混合score法")));

    // The workbook file holds both sheets (a zip names its parts in plain text).
    QTemporaryDir folder;
    const QString xlsx = folder.filePath(QStringLiteral("report.xlsx"));
    QVERIFY(window.saveTo(xlsx));
    QFile saved(xlsx);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray zip = saved.readAll();
    QVERIFY(zip.contains("xl/worksheets/sheet1.xml"));
    QVERIFY(zip.contains("xl/worksheets/sheet2.xml"));

    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is needed to read the PDF back");
    const QString pdf = folder.filePath(QStringLiteral("report.pdf"));
    QVERIFY(window.exportPdfTo(pdf));
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY(reader.waitForFinished(20000));
    const QStringList pages = QString::fromUtf8(reader.readAllStandardOutput()).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    // Sheet1 on its page, the extended sheet from a new page. (Some CJK
    // glyphs read back as their radicals, so the checks use others.)
    QVERIFY(pages.size() >= 2);
    QVERIFY(pages.front().contains(QStringLiteral("LD50")));
    QVERIFY(pages.front().contains(QStringLiteral("12.35")));
    QVERIFY(!pages.front().contains(QStringLiteral("扩展结果")));
    QVERIFY(pages.at(1).contains(QStringLiteral("扩展结果")));
    QVERIFY(pages.at(1).contains(QStringLiteral("Woolf法")));

    // Sheet1 upright, the six-column extended sheet on landscape pages.
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                           QString::number(pages.size()), pdf});
    QVERIFY(info.waitForFinished(20000));
    const QRegularExpression pageSize(QStringLiteral("Page +(\\d+) size: +([\\d.]+) x ([\\d.]+) pts"));
    auto sizes = pageSize.globalMatch(QString::fromUtf8(info.readAllStandardOutput()));
    int checked = 0;
    while (sizes.hasNext()) {
        const auto match = sizes.next();
        const bool landscape = match.captured(2).toDouble() > match.captured(3).toDouble();
        QCOMPARE(landscape, match.captured(1).toInt() > 1);
        ++checked;
    }
    QCOMPARE(checked, pages.size());
}

// Scroll bars that come and go change the viewport, which must not change
// whether they are needed: else the window lays itself out for ever, using a
// core while it stands still.
void ResultSheetsTest::viewSettlesAtEverySize() {
    ui::ResultWindow window(SmallReport());
    ShowActive(window);
    // Counts the viewport's resizes, and stops an endless run of them by
    // hiding the window, so that the test fails instead of hanging.
    struct ResizeCounter : QObject {
        QWidget* window = nullptr;
        int resizes = 0;
        bool endless = false;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Resize && ++resizes > 100 && !endless) {
                endless = true;
                window->hide();
            }
            return false;
        }
    } counter;
    counter.window = &window;
    window.view()->sheetView()->viewport()->installEventFilter(&counter);
    for (int width = 160; width <= 420; width += 5)
        for (int height = 200; height <= 420; height += 11) {
            window.resize(width, height);
            for (int round = 0; round < 4; ++round) QApplication::processEvents();
            counter.resizes = 0;
            for (int round = 0; round < 10; ++round) QApplication::processEvents();
            const QString size = QStringLiteral("%1 x %2").arg(width).arg(height);
            QVERIFY2(!counter.endless && counter.resizes == 0, qPrintable(size));
        }
}

TAVELMARK_QTEST_CLASS(ResultSheetsTest)
#include "test_result_sheets.moc"
