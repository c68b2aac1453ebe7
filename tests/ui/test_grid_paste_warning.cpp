// Pasting a block larger than the grid: what fits is pasted, and the user is
// told how many values were left out instead of losing them silently.
#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QTest>

#include "grid_fixture.h"
#include "support/qtest_class.h"
#include "ui/grid_view.h"

using namespace tavelmark;
using tavelmark::ui::GridView;

namespace {

struct Warned {
    QString title;
    QString text;
};

// Counts the warnings instead of showing boxes.
void CatchWarnings(GridView& view, std::vector<Warned>& warned) {
    view.setWarning([&warned](const QString& title, const QString& text) {
        warned.push_back({title, text});
    });
}

QString WarningFor(int outside) {
    return QStringLiteral("有 %1 个数据位于表格可录入区域之外，未粘贴").arg(outside);
}

}  // namespace

class GridPasteWarningTest : public QObject {
    Q_OBJECT

private slots:
    void valuesBeyondTheGridAreCounted_data();
    void valuesBeyondTheGridAreCounted();
    void undoTakesTheWholePasteBack();
    void theWarningBoxDoesNotHoldUpThePaste();
};

void GridPasteWarningTest::valuesBeyondTheGridAreCounted_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<int>("outside");   // 0: no warning at all
    QTest::addColumn<QString>("lastPasted");
    QTest::addColumn<double>("lastValue");

    // The small template reaches A1:C4.
    QTest::newRow("fits exactly") << "B2" << "1\t2\r\n3\t4\r\n5\t6\r\n" << 0 << "C4" << 6.0;
    QTest::newRow("one column and one row too many")
        << "B2" << "1\t2\t3\r\n4\t5\t6\r\n7\t8\t9\r\n10\t11\t12\r\n" << 6 << "C4" << 8.0;
    QTest::newRow("blank fields beyond the edge are no data")
        << "B3" << "1\t2\t\t \r\n3\t4\t\r\n\t\r\n" << 0 << "C4" << 4.0;
    QTest::newRow("a text beyond the edge is data too")
        << "C4" << "1\tn/a\r\n2\r\n" << 2 << "C4" << 1.0;
}

void GridPasteWarningTest::valuesBeyondTheGridAreCounted() {
    QFETCH(QString, start);
    QFETCH(QString, clipboard);
    QFETCH(int, outside);
    QFETCH(QString, lastPasted);
    QFETCH(double, lastValue);
    model::InputGrid grid;
    test::WriteSmallTemplate(grid);
    GridView view(grid);
    std::vector<Warned> warned;
    CatchWarnings(view, warned);
    view.show();
    test::SelectCell(view, start.toUtf8().constData());
    QApplication::clipboard()->setText(clipboard);
    test::TypeKey(view, Qt::Key_V, Qt::ControlModifier);

    QCOMPARE(grid.value(lastPasted.toStdString()), model::CellValue{lastValue});
    if (outside == 0) {
        QVERIFY(warned.empty());
    } else {
        QCOMPARE(warned.size(), std::size_t{1});
        QCOMPARE(warned[0].title, QStringLiteral("提示！"));
        QCOMPARE(warned[0].text, WarningFor(outside));
    }
}

void GridPasteWarningTest::undoTakesTheWholePasteBack() {
    model::InputGrid grid;
    test::WriteSmallTemplate(grid);
    grid.setValue("C3", 9.5);
    GridView view(grid);
    std::vector<Warned> warned;
    CatchWarnings(view, warned);
    view.show();
    test::SelectCell(view, "B3");
    QApplication::clipboard()->setText(QStringLiteral("1\t2\t3\r\n4\t5\t6\r\n7\t8\t9\r\n"));
    test::TypeKey(view, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(warned.size(), std::size_t{1});
    QCOMPARE(warned[0].text, WarningFor(5));
    QCOMPARE(grid.value("C4"), model::CellValue{5.0});

    // One undo step, whatever the warning said.
    test::TypeKey(view, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(model::IsEmpty(grid.value("B3")));
    QCOMPARE(grid.value("C3"), model::CellValue{9.5});
    QVERIFY(model::IsEmpty(grid.value("B4")));
    QVERIFY(model::IsEmpty(grid.value("C4")));
    test::TypeKey(view, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(grid.value("C4"), model::CellValue{5.0});
    QCOMPARE(warned.size(), std::size_t{1});  // redo pastes nothing anew
}

void GridPasteWarningTest::theWarningBoxDoesNotHoldUpThePaste() {
    model::InputGrid grid;
    test::WriteSmallTemplate(grid);
    GridView view(grid);  // the real warning box
    view.show();
    test::SelectCell(view, "C2");
    QApplication::clipboard()->setText(QStringLiteral("1\t2\r\n"));
    test::TypeKey(view, Qt::Key_V, Qt::ControlModifier);
    // Back here with the value pasted while the box is up.
    QCOMPARE(grid.value("C2"), model::CellValue{1.0});
    QMessageBox* box = nullptr;
    QTRY_VERIFY((box = view.findChild<QMessageBox*>()) != nullptr && box->isVisible());
    QCOMPARE(box->windowTitle(), QStringLiteral("提示！"));
    QCOMPARE(box->text(), WarningFor(1));
    QCOMPARE(box->icon(), QMessageBox::Warning);
    box->accept();
    QTRY_VERIFY(view.findChild<QMessageBox*>() == nullptr);
}

TAVELMARK_QTEST_CLASS(GridPasteWarningTest)
#include "test_grid_paste_warning.moc"
