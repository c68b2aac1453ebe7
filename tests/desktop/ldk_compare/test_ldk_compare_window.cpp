// frmLDkInput: the menu command, the grid key filter with decimal points,
// the calculate and help buttons.
#include <QCheckBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "desktop/ldk_compare/ldk_compare_commands.h"
#include "desktop/ldk_compare/ldk_compare_window.h"
#include "support/extended_workbook.h"
#include "support/fake_workbench.h"
#include "support/qtest_class.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"
#include "ui/result_window.h"

using namespace tavelmark;

using tavelmark::ui::GridView;
using tavelmark::ldk_compare::desktop::LDkCompareWindow;

namespace {

struct OpenedLDkCompareWindow {
    test::FakeWorkbench bench;
    LDkCompareWindow* window = nullptr;
    int beeps = 0;

    OpenedLDkCompareWindow() {
        ui::CommandTable commands;
        ldk_compare::desktop::RegisterLDkCompareCommands(commands);
        commands.at(QStringLiteral("mnuLDk"))(bench);
        window = bench.area->findChild<LDkCompareWindow*>();
        if (window) window->gridView()->setBeep([this] { ++beeps; });
    }
    GridView& grid() { return *window->gridView(); }
    void select(const char* a1) {
        window->grid().select(a1);
        grid().refresh();
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QWidget* target = &grid();
        for (auto* editor : grid().viewport()->findChildren<QLineEdit*>())
            if (editor->isVisible()) target = editor;
        QTest::keyClick(target, key, modifiers);
    }
    QString active() { return QString::fromStdString(model::CellName(grid().activeCell())); }
};

}  // namespace

class LDkCompareWindowTest : public QObject {
    Q_OBJECT
private slots:
    void menuCommandOpensOneWindowWithTheTemplate();
    void aLetterBeepsAndEmptiesTheCellWhileArrowsMove();
    void keysOfTheDecimalsFilter_data();
    void keysOfTheDecimalsFilter();
    void typedDecimalComesBackAsANumber();
    void calculateShowsTheReportOfTheExample();
    void extendedCheckBoxAddsTheSecondSheet();
    void aBadCellIsSelectedAndTheGridKeepsItsData();
    void helpButtonShowsTheHelpBox();
    void aClosedWindowIsCreatedAnew();
    void savedReportReadsBackWithTheSameCells();
};

void LDkCompareWindowTest::menuCommandOpensOneWindowWithTheTemplate() {
    OpenedLDkCompareWindow opened;
    QVERIFY(opened.window);
    QCOMPARE(opened.window->objectName(), QStringLiteral("frmLDkInput"));
    QCOMPARE(opened.window->windowTitle(), QStringLiteral("LDk两两比较数据录入"));
    ui::CommandTable commands;
    ldk_compare::desktop::RegisterLDkCompareCommands(commands);
    commands.at(QStringLiteral("mnuLDk"))(opened.bench);  // again: the same window
    QCOMPARE(opened.bench.area->subWindowList().size(), 1);
    // The grid shows A1:C11 and the example data.
    QCOMPARE(opened.grid().gridModel()->rowCount(), 11);
    QCOMPARE(opened.grid().gridModel()->columnCount(), 3);
    QCOMPARE(opened.window->grid().value("B2"), model::CellValue{14.0});
    QCOMPARE(opened.grid().gridModel()->indexOf(model::Cell("C2")).data().toString(), QStringLiteral("2.9000"));
    QCOMPARE(opened.active(), QStringLiteral("A1"));
    QCOMPARE(opened.window->calculateButton()->text(), QStringLiteral("计算"));
    QCOMPARE(opened.window->helpButton()->text(), QStringLiteral("在线帮助"));
    QCOMPARE(opened.grid().toolTip(), QStringLiteral("请在相应单元格(蓝线框)中录入原始数据！"));
    for (QWidget* control : {static_cast<QWidget*>(&opened.grid()),
                             static_cast<QWidget*>(opened.window->calculateButton()),
                             static_cast<QWidget*>(opened.window->helpButton())})
        QVERIFY(!control->accessibleName().isEmpty());
    // The whole reachable range fits the grid's area.
    QVERIFY(opened.grid().sizeHint().height() <= opened.grid().height());
    QVERIFY(opened.grid().sizeHint().width() <= opened.grid().width());
    QVERIFY(!opened.grid().verticalScrollBar()->isVisible());
    QVERIFY(!opened.grid().horizontalScrollBar()->isVisible());
}

void LDkCompareWindowTest::aLetterBeepsAndEmptiesTheCellWhileArrowsMove() {
    OpenedLDkCompareWindow opened;
    opened.select("B2");
    opened.press(Qt::Key_A);
    QCOMPARE(opened.beeps, 1);
    QVERIFY(model::IsEmpty(opened.window->grid().value("B2")));
    QCOMPARE(opened.active(), QStringLiteral("B2"));
    for (Qt::Key arrow : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Up, Qt::Key_Left}) opened.press(arrow);
    QCOMPARE(opened.beeps, 1);
    QCOMPARE(opened.active(), QStringLiteral("B2"));
    QCOMPARE(opened.window->grid().value("B3"), model::CellValue{20.0});
    QCOMPARE(opened.window->grid().value("C2"), model::CellValue{2.9});
    // The emptied cell comes back with Ctrl+Z.
    opened.press(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(opened.window->grid().value("B2"), model::CellValue{14.0});
    // A letter in the middle of typing: the entry is dropped and the cell emptied.
    opened.select("C2");
    opened.press(Qt::Key_3);
    opened.press(Qt::Key_X);
    QCOMPARE(opened.beeps, 2);
    QVERIFY(model::IsEmpty(opened.window->grid().value("C2")));
    opened.press(Qt::Key_Down);
    QCOMPARE(opened.active(), QStringLiteral("C3"));
    QCOMPARE(opened.beeps, 2);
}

void LDkCompareWindowTest::keysOfTheDecimalsFilter_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("accepted");
    const int keypad = Qt::KeypadModifier;
    QTest::newRow("digit") << int(Qt::Key_7) << 0 << true;
    QTest::newRow("keypad digit") << int(Qt::Key_7) << keypad << true;
    QTest::newRow("full stop") << int(Qt::Key_Period) << 0 << true;
    QTest::newRow("keypad point") << int(Qt::Key_Period) << keypad << true;
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << 0 << true;
    QTest::newRow("minus") << int(Qt::Key_Minus) << 0 << false;
    QTest::newRow("keypad minus") << int(Qt::Key_Minus) << keypad << false;
    QTest::newRow("delete") << int(Qt::Key_Delete) << 0 << false;
    QTest::newRow("space") << int(Qt::Key_Space) << 0 << false;
    QTest::newRow("F2") << int(Qt::Key_F2) << 0 << false;
}

void LDkCompareWindowTest::keysOfTheDecimalsFilter() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, accepted);
    OpenedLDkCompareWindow opened;
    opened.select("C3");
    opened.press(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(opened.beeps, accepted ? 0 : 1);
    // An accepted key at most opens the editor; the cell keeps its value till Enter.
    QCOMPARE(model::IsEmpty(opened.window->grid().value("C3")), !accepted);
}

void LDkCompareWindowTest::typedDecimalComesBackAsANumber() {
    OpenedLDkCompareWindow opened;
    opened.select("B5");
    for (Qt::Key key : {Qt::Key_1, Qt::Key_6, Qt::Key_Period, Qt::Key_5}) opened.press(key);
    opened.press(Qt::Key_Tab);
    for (Qt::Key key : {Qt::Key_4, Qt::Key_Period, Qt::Key_2}) opened.press(key, Qt::KeypadModifier);
    opened.press(Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(opened.beeps, 0);
    QCOMPARE(opened.window->grid().value("B5"), model::CellValue{16.5});
    QCOMPARE(opened.window->grid().value("C5"), model::CellValue{4.2});
}

void LDkCompareWindowTest::calculateShowsTheReportOfTheExample() {
    OpenedLDkCompareWindow opened;
    QTest::mouseClick(opened.window->calculateButton(), Qt::LeftButton);
    QCOMPARE(opened.bench.reports.size(), std::size_t{1});
    QVERIFY(opened.bench.recorder.dialogs().empty());
    QCOMPARE(opened.bench.recorder.statusText(), std::string("就绪"));
    // Batch 1 against batch 2 of the worked example of the manual.
    const model::Sheet& sheet = opened.bench.reports.front().activeSheet();
    QCOMPARE(sheet.value("B6"), model::ReportValue{std::string("0.031817 +")});
    QCOMPARE(sheet.value("B18"), model::ReportValue{std::string("2.1470 +")});
    // Each calculation opens its own result window; the first stays.
    QTest::mouseClick(opened.window->calculateButton(), Qt::LeftButton);
    QCOMPARE(opened.bench.area->findChildren<ui::ResultWindow*>().size(), 2);
}

void LDkCompareWindowTest::extendedCheckBoxAddsTheSecondSheet() {
    OpenedLDkCompareWindow opened;
    QCheckBox* extended = opened.window->extendedCheck();
    QVERIFY(extended);
    QCOMPARE(extended->text(), QStringLiteral("扩展结果"));
    QCOMPARE(extended->accessibleName(), QStringLiteral("扩展结果"));
    QVERIFY(!extended->isChecked());
    // Between the two buttons, inside the window, its caption not cut.
    const QRect place = extended->geometry();
    QVERIFY(place.left() > opened.window->helpButton()->geometry().right());
    QVERIFY(place.right() < opened.window->calculateButton()->geometry().left());
    QVERIFY(place.width() >= extended->sizeHint().width());
    QVERIFY(opened.window->rect().contains(place));
    // And between them in the tab order.
    QCOMPARE(opened.window->helpButton()->nextInFocusChain(), static_cast<QWidget*>(extended));
    QCOMPARE(extended->nextInFocusChain(), static_cast<QWidget*>(opened.window->calculateButton()));

    QTest::mouseClick(opened.window->calculateButton(), Qt::LeftButton);
    QTest::mouseClick(extended, Qt::LeftButton, {}, QPoint(6, extended->height() / 2));
    QVERIFY(extended->isChecked());
    QTest::mouseClick(opened.window->calculateButton(), Qt::LeftButton);
    QCOMPARE(opened.bench.reports.size(), std::size_t{2});
    const std::string problem = test::ExtendedWorkbookProblem(opened.bench.reports[0], opened.bench.reports[1]);
    QVERIFY2(problem.empty(), problem.c_str());
    // A refusal still hands over the report's empty workbook, without the second sheet.
    opened.window->grid().setValue("C3", std::string("5,0"));
    opened.window->grid().notifyChanged();
    QTest::mouseClick(opened.window->calculateButton(), Qt::LeftButton);
    QCOMPARE(opened.bench.reports.size(), std::size_t{3});
    QCOMPARE(opened.bench.reports.back().sheets.size(), std::size_t{1});
}

void LDkCompareWindowTest::aBadCellIsSelectedAndTheGridKeepsItsData() {
    OpenedLDkCompareWindow opened;
    opened.window->grid().setValue("C3", std::string("5,0"));
    opened.window->grid().notifyChanged();
    QTest::mouseClick(opened.window->calculateButton(), Qt::LeftButton);
    const auto dialogs = opened.bench.recorder.dialogs();
    QCOMPARE(dialogs.size(), std::size_t{1});
    QCOMPARE(dialogs.front().title, std::string("数据类型错误或超出范围"));
    QCOMPARE(opened.active(), QStringLiteral("C3"));
    QVERIFY(opened.grid().selectionModel()->isSelected(opened.grid().gridModel()->indexOf(model::Cell("C3"))));
    QCOMPARE(opened.window->grid().value("C3"), model::CellValue{std::string("5,0")});
    QCOMPARE(opened.bench.recorder.statusText(), std::string("就绪"));
}

void LDkCompareWindowTest::helpButtonShowsTheHelpBox() {
    OpenedLDkCompareWindow opened;
    QTest::mouseClick(opened.window->helpButton(), Qt::LeftButton);
    const auto dialogs = opened.bench.recorder.dialogs();
    QCOMPARE(dialogs.size(), std::size_t{1});
    QCOMPARE(dialogs.front().title, std::string("LDk两两对比在线帮助"));
    QCOMPARE(int(dialogs.front().icon), int(report::MessageIcon::None));
    QVERIFY(dialogs.front().text.rfind("【举例说明】", 0) == 0);
}

void LDkCompareWindowTest::aClosedWindowIsCreatedAnew() {
    OpenedLDkCompareWindow opened;
    opened.window->grid().setValue("B2", 99.0);
    // Closed in the middle of typing: the grid goes before its view.
    opened.select("B5");
    opened.press(Qt::Key_7);
    opened.window->setSaveQuestion([](const QString&, const QString&) { return QMessageBox::Discard; });
    opened.bench.area->subWindowList().front()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(opened.bench.area->subWindowList().size(), 0);
    ui::CommandTable commands;
    ldk_compare::desktop::RegisterLDkCompareCommands(commands);
    commands.at(QStringLiteral("mnuLDk"))(opened.bench);
    auto* again = opened.bench.area->findChild<LDkCompareWindow*>();
    QVERIFY(again);
    QCOMPARE(again->grid().value("B2"), model::CellValue{14.0});
}

void LDkCompareWindowTest::savedReportReadsBackWithTheSameCells() {
#ifndef TAVELMARK_OPENPYXL_PYTHON
    QSKIP("no Python with openpyxl to read the file back");
#else
    OpenedLDkCompareWindow opened;
    QTest::mouseClick(opened.window->calculateButton(), Qt::LeftButton);
    auto* report = opened.bench.area->findChild<ui::ResultWindow*>();
    QVERIFY(report);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("ldk.xlsx"));
    QVERIFY(report->saveTo(path));  // what "另存为..." does after its file dialog

    QStringList expected;
    for (const auto& [cell, value] : report->workbook().activeSheet().cells().values())
        if (const std::string text = model::PlainText(value); !text.empty())
            expected << QString::fromStdString(model::CellName(cell) + "\t" + text);
    QProcess reader;
    reader.start(QStringLiteral(TAVELMARK_OPENPYXL_PYTHON), {QStringLiteral(TAVELMARK_DUMP_CELLS), path});
    QVERIFY(reader.waitForFinished(60000));
    QCOMPARE(reader.exitCode(), 0);
    QStringList read = QString::fromUtf8(reader.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    // openpyxl goes row by row, the model by row then column: the same order.
    QCOMPARE(read, expected);
    QVERIFY(read.contains(QStringLiteral("B6\t0.031817 +")));
#endif
}

TAVELMARK_QTEST_CLASS(LDkCompareWindowTest)
#include "test_ldk_compare_window.moc"
