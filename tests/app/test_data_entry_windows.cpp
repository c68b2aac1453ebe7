// The data-entry windows as configurations of the one window class:
// their names, captions and buttons as screen readers find them, the tab
// order, and the way back to the grid after a refusal.
#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "desktop/bliss/bliss_commands.h"
#include "desktop/bliss/bliss_input_window.h"
#include "desktop/ldk_compare/ldk_compare_commands.h"
#include "desktop/ldk_compare/ldk_compare_window.h"
#include "desktop/means/means_commands.h"
#include "desktop/means/means_input_window.h"
#include "desktop/potency/potency_commands.h"
#include "desktop/potency/potency_input_window.h"
#include "desktop/rates/rates_commands.h"
#include "desktop/rates/rates_input_window.h"
#include "support/fake_workbench.h"
#include "support/qtest_class.h"
#include "ui/grid_view.h"

using namespace tavelmark;
using ui::DataEntryWindow;

namespace {

struct Configuration {
    const char* name;
    std::function<DataEntryWindow*(test::FakeWorkbench&)> open;
    QString objectName, caption;
    QStringList buttons;       // object names in tab order after the grid (buttons and check boxes)
    const char* badCell;       // a cell that the input check refuses
    QVariant badValue;
};

std::vector<Configuration> Configurations() {
    return {
        {"Bliss", [](test::FakeWorkbench& b) -> DataEntryWindow* { return bliss::desktop::ShowBlissInputWindow(b); },
         "frmBlissInput", "正规Bliss法(LD50计算)数据录入", {"cmdHelp", "cmdSet", "cmdCal"}, "C3", "abc"},
        {"means",
         [](test::FakeWorkbench& b) -> DataEntryWindow* {
             return means::desktop::ShowMeansInputWindow(b, means::MeansMenuEntry::ItelAna);
         },
         "frmIntelDAveInput", "", {"Command2", "Command3", "Command1"}, "A3", "abc"},
        {"rates",
         [](test::FakeWorkbench& b) -> DataEntryWindow* {
             return rates::desktop::ShowRatesInputWindow(b, rates::RatesMenuCommand::RateAna);
         },
         "frmChiInput", "智能化两组阳性率分析(2×2卡方法)数据录入", {"cmdHelp", "cmdSet", "cmdCal"}, "B2", -1.0},
        {"LDk comparison", [](test::FakeWorkbench& b) -> DataEntryWindow* { return ldk_compare::desktop::ShowLDkCompareWindow(b); },
         "frmLDkInput", "LDk两两比较数据录入", {"cmdHelp", "chkExtended", "cmdCal"}, "B3", "abc"},
        {"potency", [](test::FakeWorkbench& b) -> DataEntryWindow* { return potency::desktop::ShowPotencyInputWindow(b); },
         "frmPotencyInput", "半数量斜率两两对比数据录入", {"cmdHelp", "cmdSet", "cmdCal"}, "C3", "abc"},
    };
}

// The next widget that Tab reaches after `from`.
QWidget* NextTabStop(QWidget* from) {
    for (QWidget* w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && !from->isAncestorOf(w)) return w;
    return nullptr;
}

model::CellValue AsCellValue(const QVariant& v) {
    if (v.typeId() == QMetaType::Double) return v.toDouble();
    return v.toString().toStdString();
}

}  // namespace

class DataEntryWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void namesCaptionsButtonsAndTabOrder() {
        for (const Configuration& c : Configurations()) {
            test::FakeWorkbench bench;
            DataEntryWindow* window = c.open(bench);
            QVERIFY2(window, c.name);
            QCOMPARE(window->objectName(), c.objectName);
            if (!c.caption.isEmpty()) QCOMPARE(window->windowTitle(), c.caption);
            QVERIFY2(!window->accessibleName().isEmpty(), c.name);
            QVERIFY2(!window->gridView()->accessibleName().isEmpty(), c.name);
            QCOMPARE(window->gridView()->objectName(), QStringLiteral("ExlInput"));

            QWidget* previous = window->gridView();
            for (const QString& name : c.buttons) {
                auto* button = window->findChild<QAbstractButton*>(name);
                QVERIFY2(button, qPrintable(name));
                QVERIFY2(!button->accessibleName().isEmpty(), qPrintable(name));
                QCOMPARE(NextTabStop(previous), static_cast<QWidget*>(button));
                previous = button;
            }
            QCOMPARE(window->calculateButton()->text(), QStringLiteral("计算"));
            QCOMPARE(window->helpButton()->text(), QStringLiteral("在线帮助"));
            int pushButtons = 0;
            for (const QString& name : c.buttons) pushButtons += window->findChild<QPushButton*>(name) != nullptr;
            QCOMPARE(window->settingsButton() != nullptr, pushButtons == 3);
        }
    }

    void refusalGoesBackToTheGridWithTheCellSelected() {
        for (const Configuration& c : Configurations()) {
            test::FakeWorkbench bench;
            DataEntryWindow* window = c.open(bench);
            window->grid().setValue(c.badCell, AsCellValue(c.badValue));
            window->calculateButton()->setFocus();
            QTest::mouseClick(window->calculateButton(), Qt::LeftButton);
            QVERIFY2(!bench.recorder.dialogs().empty(), c.name);
            QVERIFY2(window->isEnabled(), c.name);
            QVERIFY2(window->focusWidget() == window->gridView() || window->gridView()->isAncestorOf(window->focusWidget()), c.name);
            // The cell the message is about is selected (rates selects its count block).
            QVERIFY2(window->grid().selection().contains(model::Cell(c.badCell)), c.name);
            // What the user typed is still there.
            QVERIFY2(window->grid().value(c.badCell) == AsCellValue(c.badValue), c.name);
        }
    }
};

TAVELMARK_QTEST_CLASS(DataEntryWindowsTest)
#include "test_data_entry_windows.moc"
