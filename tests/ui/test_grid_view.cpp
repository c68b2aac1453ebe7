// The input grid view: typing, moving, the key filter's notification,
// paste, copy and undo, and the model's contract.
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTimer>
#include <QSignalSpy>
#include <QTest>

#include "grid_fixture.h"
#include "support/qtest_class.h"
#include "ui/cell_text.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"
#include "ui/virtual_key.h"

using namespace tavelmark;
using tavelmark::ui::GridView;

Q_DECLARE_METATYPE(tavelmark::model::CellValue)

namespace {

QString NameOf(model::CellRef c) { return QString::fromStdString(tavelmark::model::CellName(c)); }

// Chooses the entry of the grid's context menu whose text starts with `entry`.
void ChooseFromContextMenu(GridView& view, const QString& entry) {
    QTimer::singleShot(0, [entry] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        for (QAction* action : menu->actions())
            if (action->text().startsWith(entry)) {
                menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
        menu->close();  // no such entry: nothing is chosen
    });
    const QRect b2 = view.visualRect(view.gridModel()->indexOf(model::Cell("B2")));
    QContextMenuEvent event(QContextMenuEvent::Mouse, b2.center(), view.viewport()->mapToGlobal(b2.center()));
    QApplication::sendEvent(view.viewport(), &event);
}

}  // namespace

class GridViewTest : public QObject {
    Q_OBJECT

private slots:
    void modelPassesTheItemModelTester();
    void displayUsesTheFormatButTheValueKeepsItsPrecision();
    void typedTextComesBackTyped_data();
    void typedTextComesBackTyped();
    void aDoubleGivenToTheModelMustBeFinite();
    void enterAndArrowsMoveLikeASpreadsheet();
    void editingWithF2KeepsTheTextAndLeftRightStayInside();
    void virtualKeyCodes_data();
    void virtualKeyCodes();
    void everyKeyIsNotifiedWithTheActiveCell();
    void pasteFillsFromTheActiveCellClippedToTheViewableRange();
    void pasteIsUndoableAndTypedDataComesBack();
    void contextMenuPastes();
    void shortcutsComeBeforeTheKeyFilter();
    void copyGivesTheSelectionAsTabSeparatedText();
    void tabSeparatedTextIsParsedLikeSpreadsheetClipboards_data();
    void tabSeparatedTextIsParsedLikeSpreadsheetClipboards();
    void selectionFollowsTheProgram();
    void clearScreenEmptiesTheInputAreaInOneStep_data();
    void clearScreenEmptiesTheInputAreaInOneStep();
};

void GridViewTest::modelPassesTheItemModelTester() {
    model::InputGrid grid;
    test::WriteSmallTemplate(grid);
    grid.setValue("B2", 14.0);
    ui::GridModel model(grid);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setData(model.index(2, 1), QStringLiteral("20"), Qt::EditRole);
    // A new viewable range resets the model.
    grid.activeSheet().setViewableRange(model::Range("A1:D11"));
    model.reload();
    QCOMPARE(model.rowCount(), 11);
    QCOMPARE(model.columnCount(), 4);
    model.reload();
}

void GridViewTest::displayUsesTheFormatButTheValueKeepsItsPrecision() {
    model::InputGrid grid;
    test::WriteSmallTemplate(grid);
    grid.setValue("B2", 2.123456789);
    ui::GridModel model(grid);
    const QModelIndex b2 = model.indexOf(model::Cell("B2"));
    QCOMPARE(b2.data(Qt::DisplayRole).toString(), QStringLiteral("2.1235"));
    QCOMPARE(b2.data(Qt::EditRole).toString(), QStringLiteral("2.123456789"));
    QCOMPARE(b2.data(ui::GridModel::BoxColourRole).value<QColor>(), QColor(0, 0, 255));
    QVERIFY(!model.indexOf(model::Cell("A2")).data(ui::GridModel::BoxColourRole).isValid());
    QVERIFY(!model.indexOf(model::Cell("D2")).isValid());  // outside the viewable range
    QCOMPARE(std::get<double>(grid.value("B2")), 2.123456789);
}

void GridViewTest::typedTextComesBackTyped_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<model::CellValue>("stored");
    QTest::newRow("whole number") << "14" << model::CellValue{14.0};
    QTest::newRow("decimal") << "2.9" << model::CellValue{2.9};
    QTest::newRow("leading point") << ".5" << model::CellValue{0.5};
    QTest::newRow("negative") << "-3.25" << model::CellValue{-3.25};
    QTest::newRow("exponent") << "1e3" << model::CellValue{1000.0};
    QTest::newRow("letters stay text") << "abc" << model::CellValue{std::string("abc")};
    QTest::newRow("two points stay text") << "1.2.3" << model::CellValue{std::string("1.2.3")};
    QTest::newRow("full-width digits and sign") << "－１２．５" << model::CellValue{-12.5};
    QTest::newRow("ideographic spaces around") << "\u3000７\u3000" << model::CellValue{7.0};
    // What a double could hold but no spreadsheet user calls a number.
    QTest::newRow("inf") << "inf" << model::CellValue{std::string("inf")};
    QTest::newRow("signed infinity") << "-Infinity" << model::CellValue{std::string("-Infinity")};
    QTest::newRow("plus Inf") << "+Inf" << model::CellValue{std::string("+Inf")};
    QTest::newRow("signed nan") << "-NaN" << model::CellValue{std::string("-NaN")};
    QTest::newRow("nan with payload") << "nan(123)" << model::CellValue{std::string("nan(123)")};
    QTest::newRow("full-width inf") << "ｉｎｆ" << model::CellValue{std::string("ｉｎｆ")};
    QTest::newRow("hex float") << "0x1p3" << model::CellValue{std::string("0x1p3")};
    QTest::newRow("beyond the largest double") << "1e400" << model::CellValue{std::string("1e400")};
    // Characters that only look like digits are list marks and exponents, not data.
    QTest::newRow("circled one") << "①" << model::CellValue{std::string("①")};
    QTest::newRow("superscript two") << "²" << model::CellValue{std::string("²")};
}

void GridViewTest::typedTextComesBackTyped() {
    QFETCH(QString, typed);
    QFETCH(model::CellValue, stored);
    model::InputGrid grid;
    test::WriteSmallTemplate(grid);
    grid.setValue("B2", 99.0);
    GridView view(grid);  // no key set: every key reaches the grid
    view.show();
    test::TypeText(view, typed);
    test::TypeKey(view, Qt::Key_Return);
    QCOMPARE(grid.value("B2"), stored);
    // Pasted, the same text becomes the same cell.
    test::SelectCell(view, "C2");
    QApplication::clipboard()->setText(typed + QStringLiteral("\r\n"));
    test::TypeKey(view, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(grid.value("C2"), stored);
}

void GridViewTest::aDoubleGivenToTheModelMustBeFinite() {
    model::InputGrid grid;
    test::WriteSmallTemplate(grid);
    ui::GridModel model(grid);
    model.setData(model.indexOf(model::Cell("B2")), QVariant(2.5), Qt::EditRole);
    QCOMPARE(grid.value("B2"), model::CellValue{2.5});
    for (const double notANumber : {qInf(), -qInf(), qQNaN()}) {
        model.setData(model.indexOf(model::Cell("B2")), QVariant(notANumber), Qt::EditRole);
        QVERIFY2(!model::IsNumber(grid.value("B2")), qPrintable(ui::CellEditText(grid.value("B2"))));
    }
}

void GridViewTest::enterAndArrowsMoveLikeASpreadsheet() {
    model::InputGrid grid;
    test::WriteSmallTemplate(grid);
    GridView view(grid);
    view.show();
    test::TypeText(view, QStringLiteral("14"));
    test::TypeKey(view, Qt::Key_Return);
    QCOMPARE(NameOf(view.activeCell()), QStringLiteral("B3"));
    // Typing then an arrow stores the entry and moves.
    test::TypeText(view, QStringLiteral("20"));
    test::TypeKey(view, Qt::Key_Right);
    QCOMPARE(NameOf(view.activeCell()), QStringLiteral("C3"));
    test::TypeKey(view, Qt::Key_Down);
    QCOMPARE(NameOf(view.activeCell()), QStringLiteral("C4"));
    test::TypeKey(view, Qt::Key_Down);  // the last row: stays
    QCOMPARE(NameOf(view.activeCell()), QStringLiteral("C4"));
    test::TypeText(view, QStringLiteral("5"));
    test::TypeKey(view, Qt::Key_Tab);
    QCOMPARE(grid.value("B2"), model::CellValue{14.0});
    QCOMPARE(grid.value("B3"), model::CellValue{20.0});
    QCOMPARE(grid.value("C4"), model::CellValue{5.0});
    // The grid's own selection follows the view.
    QCOMPARE(NameOf(grid.activeCell()), NameOf(view.activeCell()));
}

void GridViewTest::editingWithF2KeepsTheTextAndLeftRightStayInside() {
    model::InputGrid grid;
    test::WriteSmallTemplate(grid);
    grid.setValue("B2", 14.0);
    GridView view(grid);
    view.show();
    test::TypeKey(view, Qt::Key_F2);
    test::TypeKey(view, Qt::Key_Left);
    test::TypeText(view, QStringLiteral("5"));
    test::TypeKey(view, Qt::Key_Return);
    QCOMPARE(grid.value("B2"), model::CellValue{154.0});
    QCOMPARE(NameOf(view.activeCell()), QStringLiteral("B3"));
}

void GridViewTest::virtualKeyCodes_data() {
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("virtualKey");
    // Windows virtual-key codes of the keys the grid key filter speaks of.
    const int keypad = Qt::KeypadModifier;
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << 0 << 8;
    QTest::newRow("tab") << int(Qt::Key_Tab) << 0 << 9;
    QTest::newRow("enter") << int(Qt::Key_Return) << 0 << 13;
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << keypad << 13;
    QTest::newRow("page up") << int(Qt::Key_PageUp) << 0 << 33;
    QTest::newRow("down") << int(Qt::Key_Down) << 0 << 40;
    QTest::newRow("delete") << int(Qt::Key_Delete) << 0 << 46;
    QTest::newRow("digit 0") << int(Qt::Key_0) << 0 << 48;
    QTest::newRow("digit 9") << int(Qt::Key_9) << 0 << 57;
    QTest::newRow("shifted 1") << int(Qt::Key_Exclam) << int(Qt::ShiftModifier) << 49;
    QTest::newRow("letter a") << int(Qt::Key_A) << 0 << 65;
    QTest::newRow("keypad 5") << int(Qt::Key_5) << keypad << 101;
    QTest::newRow("keypad minus") << int(Qt::Key_Minus) << keypad << 109;
    QTest::newRow("keypad point") << int(Qt::Key_Period) << keypad << 110;
    QTest::newRow("keypad home (num lock off)") << int(Qt::Key_Home) << keypad << 36;
    QTest::newRow("F2") << int(Qt::Key_F2) << 0 << 113;
    QTest::newRow("num lock") << int(Qt::Key_NumLock) << 0 << 144;
    QTest::newRow("minus") << int(Qt::Key_Minus) << 0 << 189;
    QTest::newRow("full stop") << int(Qt::Key_Period) << 0 << 190;
    QTest::newRow("unknown") << int(Qt::Key_unknown) << 0 << 0;
}

void GridViewTest::virtualKeyCodes() {
    QFETCH(int, qtKey);
    QFETCH(int, modifiers);
    QFETCH(int, virtualKey);
    QCOMPARE(ui::VirtualKeyFromQt(qtKey, Qt::KeyboardModifiers(modifiers)), virtualKey);
}

void GridViewTest::everyKeyIsNotifiedWithTheActiveCell() {
    model::InputGrid grid;
    test::WriteSmallTemplate(grid);
    GridView view(grid);
    view.show();
    QSignalSpy notified(&view, &GridView::keyNotified);
    test::TypeText(view, QStringLiteral("1."));  // the second key goes to the open editor
    test::TypeKey(view, Qt::Key_Return);
    QCOMPARE(notified.count(), 3);
    QCOMPARE(notified.at(0).at(0).toInt(), 49);
    QCOMPARE(notified.at(1).at(0).toInt(), 190);
    QCOMPARE(notified.at(2).at(0).toInt(), 13);
    QCOMPARE(NameOf(notified.at(2).at(1).value<model::CellRef>()), QStringLiteral("B2"));
}

void GridViewTest::pasteFillsFromTheActiveCellClippedToTheViewableRange() {
    model::InputGrid grid;
    test::WriteSmallTemplate(grid);  // A1:C4
    grid.setValue("A4", std::string("keep"));
    GridView view(grid);
    view.show();
    // Three columns and four rows from B2: only B2:C4 lie in the grid.
    QApplication::clipboard()->setText(
        QStringLiteral("14\t2.9\tx\r\n20\t5\ty\r\n18\tn/a\tz\r\n99\t99\t99\r\n"));
    test::TypeKey(view, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(grid.value("B2"), model::CellValue{14.0});
    QCOMPARE(grid.value("C2"), model::CellValue{2.9});
    QCOMPARE(grid.value("B3"), model::CellValue{20.0});
    QCOMPARE(grid.value("C3"), model::CellValue{5.0});
    QCOMPARE(grid.value("B4"), model::CellValue{18.0});
    QCOMPARE(grid.value("C4"), model::CellValue{std::string("n/a")});
    QCOMPARE(grid.value("A4"), model::CellValue{std::string("keep")});
    QVERIFY(model::IsEmpty(grid.value("D2")));
    QVERIFY(model::IsEmpty(grid.value("B5")));
    // The pasted block is selected, its first cell active.
    QCOMPARE(QString::fromStdString(model::RangeName(grid.selection())), QStringLiteral("B2:C4"));
    QCOMPARE(NameOf(view.activeCell()), QStringLiteral("B2"));
}

void GridViewTest::pasteIsUndoableAndTypedDataComesBack() {
    model::InputGrid grid;
    test::WriteSmallTemplate(grid);
    GridView view(grid);
    view.show();
    test::TypeText(view, QStringLiteral("7"));
    test::TypeKey(view, Qt::Key_Return);
    test::TypeKey(view, Qt::Key_Up);
    QApplication::clipboard()->setText(QStringLiteral("1\t2\n3\t4\n"));
    test::TypeKey(view, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(grid.value("B2"), model::CellValue{1.0});
    QCOMPARE(grid.value("C3"), model::CellValue{4.0});
    test::TypeKey(view, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(grid.value("B2"), model::CellValue{7.0});
    QVERIFY(model::IsEmpty(grid.value("C3")));
    test::TypeKey(view, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(grid.value("C3"), model::CellValue{4.0});
}

void GridViewTest::contextMenuPastes() {
    model::InputGrid grid;
    test::WriteSmallTemplate(grid);
    GridView view(grid);
    view.show();
    QApplication::clipboard()->setText(QStringLiteral("1\t2\n"));
    ChooseFromContextMenu(view, QStringLiteral("粘贴"));
    QCOMPARE(grid.value("B2"), model::CellValue{1.0});
    QCOMPARE(grid.value("C2"), model::CellValue{2.0});
}

void GridViewTest::shortcutsComeBeforeTheKeyFilter() {
    model::InputGrid grid;
    test::WriteSmallTemplate(grid);
    grid.setValue("B2", 14.0);
    GridView view(grid);
    view.setKeySet(model::GridKeySet::Decimals);
    int beeps = 0;
    view.setBeep([&beeps] { ++beeps; });
    view.show();
    QSignalSpy notified(&view, &GridView::keyNotified);
    // Ctrl on its own, then Ctrl+C and Ctrl+V: neither beeps nor empties B2.
    test::TypeKey(view, Qt::Key_Control);
    test::TypeKey(view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("14"));
    test::SelectCell(view, "C2");
    test::TypeKey(view, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(beeps, 0);
    QCOMPARE(notified.count(), 0);
    QCOMPARE(grid.value("B2"), model::CellValue{14.0});
    QCOMPARE(grid.value("C2"), model::CellValue{14.0});
}

void GridViewTest::copyGivesTheSelectionAsTabSeparatedText() {
    model::InputGrid grid;
    test::WriteSmallTemplate(grid);
    grid.setValue("B2", 14.0);
    grid.setValue("C2", 2.123456789);  // shown as 2.1235, copied in full
    grid.setValue("B3", std::string("a\tb"));
    grid.select("B2:C3");
    GridView view(grid);
    view.show();
    test::TypeKey(view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("14\t2.123456789\n\"a\tb\"\t"));
}

void GridViewTest::tabSeparatedTextIsParsedLikeSpreadsheetClipboards_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("rows");  // fields joined by '|'
    QTest::newRow("crlf with final break") << "1\t2\r\n3\t4\r\n" << QStringList{"1|2", "3|4"};
    QTest::newRow("lf without final break") << "1\t2\n3\t4" << QStringList{"1|2", "3|4"};
    QTest::newRow("empty fields") << "\t2\n3\t\n" << QStringList{"|2", "3|"};
    QTest::newRow("quoted tab, line break and quote")
        << "\"a\tb\"\t\"c\nd\"\t\"e\"\"f\"\n" << QStringList{"a\tb|c\nd|e\"f"};
    QTest::newRow("quote inside a field") << "5\"\t6\n" << QStringList{"5\"|6"};
    QTest::newRow("nothing") << "" << QStringList{};
}

void GridViewTest::tabSeparatedTextIsParsedLikeSpreadsheetClipboards() {
    QFETCH(QString, text);
    QFETCH(QStringList, rows);
    QStringList parsed;
    for (const auto& row : ui::ParseTabSeparated(text))
        parsed << QStringList(row.begin(), row.end()).join(u'|');
    QCOMPARE(parsed, rows);
}

void GridViewTest::selectionFollowsTheProgram() {
    model::InputGrid grid;
    test::WriteSmallTemplate(grid);
    GridView view(grid);
    view.show();
    // A calculation points at a bad cell: the view shows it active and selected.
    grid.select("C3");
    grid.notifyChanged();
    QCOMPARE(NameOf(view.activeCell()), QStringLiteral("C3"));
    QVERIFY(view.selectionModel()->isSelected(view.gridModel()->indexOf(model::Cell("C3"))));
    QVERIFY(!view.selectionModel()->isSelected(view.gridModel()->indexOf(model::Cell("B2"))));
    // The view is as big as the viewable range: 3 columns, 4 rows.
    QCOMPARE(view.gridModel()->rowCount(), 4);
    QCOMPARE(view.sizeHint().width(), view.columnWidth(0) + view.columnWidth(1) + view.columnWidth(2));
}

void GridViewTest::clearScreenEmptiesTheInputAreaInOneStep_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("context menu") << "menu";
    QTest::newRow("Ctrl+Shift+Delete") << "keys";
    QTest::newRow("Ctrl+Shift+Delete while typing") << "keys while typing";
}

// Five groups pasted over an example of six leave no sixth row behind: 清屏
// empties the boxed cells where data go, and only those, as one step that
// Ctrl+Z takes back whole. The key filter refuses nothing on the way.
void GridViewTest::clearScreenEmptiesTheInputAreaInOneStep() {
    QFETCH(QString, how);
    model::InputGrid grid;
    test::WriteSmallTemplate(grid);  // labels in B1, C1; boxes B2:C4
    grid.setValue("A4", std::string("第3批"));
    const std::vector<std::pair<const char*, model::CellValue>> data = {
        {"B2", 14.0}, {"C2", 2.9}, {"B3", 20.0}, {"C3", std::string("n/a")}, {"B4", 18.0}, {"C4", 3.2}};
    for (const auto& [cell, value] : data) grid.setValue(cell, value);
    grid.select("C3");
    GridView view(grid);
    view.setKeySet(model::GridKeySet::Decimals);
    int beeps = 0;
    view.setBeep([&beeps] { ++beeps; });
    view.show();

    if (how == "menu") {
        ChooseFromContextMenu(view, QStringLiteral("清屏"));
    } else {
        if (how == "keys while typing") test::TypeText(view, QStringLiteral("5"));
        test::TypeKey(view, Qt::Key_Delete, Qt::ControlModifier | Qt::ShiftModifier);
    }
    for (const auto& [cell, value] : data) QVERIFY2(model::IsEmpty(grid.value(cell)), cell);
    QCOMPARE(grid.value("B1"), model::CellValue{std::string("LD50")});
    QCOMPARE(grid.value("C1"), model::CellValue{std::string("L95")});
    QCOMPARE(grid.value("A4"), model::CellValue{std::string("第3批")});
    QCOMPARE(beeps, 0);
    // Typing goes on at the first box.
    QCOMPARE(NameOf(view.activeCell()), QStringLiteral("B2"));

    test::TypeKey(view, Qt::Key_Z, Qt::ControlModifier);
    for (const auto& [cell, value] : data)
        QVERIFY2(grid.value(cell) == (how == "keys while typing" && std::string(cell) == "C3"
                                          ? model::CellValue{5.0}
                                          : value),
                 cell);
}

TAVELMARK_QTEST_CLASS(GridViewTest)
#include "test_grid_view.moc"
