// The two-group rates windows: the options dialog's select-all logic after
// any sequence of clicks, its grey items, and the data-entry window's menu
// commands, buttons and the dialog's life cycle in the MDI area.
#include <random>

#include <QCheckBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QtTest>

#include "desktop/rates/rates_commands.h"
#include "desktop/rates/rates_input_window.h"
#include "desktop/rates/rates_settings_dialog.h"
#include "support/extended_workbook.h"
#include "support/fake_workbench.h"
#include "support/qtest_class.h"
#include "ui/grid_view.h"

using namespace tavelmark;
using namespace tavelmark::ui;
using namespace tavelmark::rates::desktop;

namespace {

using test::FakeWorkbench;

// 全选 is checked and disabled exactly when items 4 to 12 all are.
bool SelectAllMirrorsItems(const RatesSettingsDialog& dialog, QString* why) {
    bool all = true;
    for (int i = 4; i <= 12; ++i) all = all && dialog.chkP(i)->isChecked();
    const bool ok = dialog.chkAll()->isChecked() == all && dialog.chkAll()->isEnabled() == !all;
    if (!ok)
        *why = QStringLiteral("all=%1 chkAll checked=%2 enabled=%3")
                   .arg(all)
                   .arg(dialog.chkAll()->isChecked())
                   .arg(dialog.chkAll()->isEnabled());
    return ok;
}

void Click(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); }

}  // namespace

class RatesUiTest : public QObject {
    Q_OBJECT
private slots:
    void selectAllChecksEveryItemAndLocksItself() {
        RatesSettingsDialog dialog;
        dialog.show();
        Click(dialog.chkAll());
        for (int i = 4; i <= 12; ++i) QVERIFY(dialog.chkP(i)->isChecked());
        QVERIFY(dialog.chkAll()->isChecked());
        QVERIFY(!dialog.chkAll()->isEnabled());

        Click(dialog.chkP(7));
        QVERIFY(!dialog.chkP(7)->isChecked());
        QVERIFY(!dialog.chkAll()->isChecked());
        QVERIFY(dialog.chkAll()->isEnabled());
        Click(dialog.chkP(7));
        QVERIFY(dialog.chkAll()->isChecked());
        QVERIFY(!dialog.chkAll()->isEnabled());
    }

    void checkingTheItemsOneByOneChecksSelectAll() {
        RatesSettingsDialog dialog;
        dialog.show();
        for (int i = 4; i <= 12; ++i) {
            QVERIFY(!dialog.chkAll()->isChecked());
            Click(dialog.chkP(i));
        }
        QVERIFY(dialog.chkAll()->isChecked());
        QVERIFY(!dialog.chkAll()->isEnabled());
        const rates::RatesOptions options = dialog.options();
        for (int i = 4; i <= 12; ++i) QVERIFY(options.item(i));
    }

    void selectAllMirrorsTheItemsAfterAnySequenceOfClicks() {
        RatesSettingsDialog dialog;
        dialog.show();
        std::mt19937 random(20261210);
        for (int step = 0; step < 600; ++step) {
            // Items 4..12 or 全选 (index 13); a disabled box ignores the click.
            const int pick = std::uniform_int_distribution<int>(4, 13)(random);
            Click(pick == 13 ? dialog.chkAll() : dialog.chkP(pick));
            QString why;
            QVERIFY2(SelectAllMirrorsItems(dialog, &why), qPrintable(QStringLiteral("step %1: %2").arg(step).arg(why)));
        }
        // A select-all click on a partial choice, then unchecking all nine.
        Click(dialog.chkP(4));
        if (dialog.chkAll()->isEnabled()) Click(dialog.chkAll());
        for (int i = 4; i <= 12; ++i)
            if (dialog.chkP(i)->isChecked()) Click(dialog.chkP(i));
        QVERIFY(!dialog.chkAll()->isChecked());
        QVERIFY(dialog.chkAll()->isEnabled());
    }

    void theAlwaysReportedItemsAreGreyAndFixed() {
        RatesSettingsDialog dialog;
        dialog.show();
        const char* captions[] = {"", "Fisher精确概率", "Pearson卡方", "Yates连续校正卡方"};
        for (int i = 1; i <= 3; ++i) {
            QCheckBox* box = dialog.chkP(i);
            QCOMPARE(box->text(), QString::fromUtf8(captions[i]));
            QCOMPARE(box->checkState(), Qt::PartiallyChecked);
            QVERIFY(!box->isEnabled());
            QCOMPARE(box->focusPolicy(), Qt::NoFocus);
            Click(box);
            QCOMPARE(box->checkState(), Qt::PartiallyChecked);
        }
        QCOMPARE(dialog.chkP(11)->text(), QStringLiteral("比数与必数比"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("智能化两组有效率分析(2×2卡方法)参数设置"));
        // Tab order: items 4 to 12, 全选, 扩展结果, 确定.
        QWidget* w = dialog.chkP(4);
        for (int i = 5; i <= 12; ++i) {
            w = w->nextInFocusChain();
            QCOMPARE(w, static_cast<QWidget*>(dialog.chkP(i)));
        }
        QCOMPARE(w->nextInFocusChain(), static_cast<QWidget*>(dialog.chkAll()));
        QCOMPARE(dialog.chkAll()->nextInFocusChain(), static_cast<QWidget*>(dialog.chkExtended()));
        QCOMPARE(dialog.chkExtended()->nextInFocusChain(), static_cast<QWidget*>(dialog.cmdSetting()));
    }

    void extendedResultsAreTheirOwnChoiceAndAddTheSecondSheet() {
        FakeWorkbench bench;
        RatesInputWindow* window = ShowRatesInputWindow(bench, rates::RatesMenuCommand::OddAna);
        window->settingsButton()->click();
        RatesSettingsDialog* dialog = FindRatesSettings(bench);
        QCOMPARE(dialog->chkExtended()->text(), QStringLiteral("扩展结果"));
        QCOMPARE(dialog->chkExtended()->accessibleName(), QStringLiteral("扩展结果"));
        QVERIFY(!dialog->chkExtended()->isChecked());
        // 全选 chooses the classic items only.
        Click(dialog->chkAll());
        QVERIFY(!dialog->chkExtended()->isChecked());
        dialog->cmdSetting()->click();
        window->calculateButton()->click();

        window->settingsButton()->click();
        Click(dialog->chkExtended());
        QVERIFY(dialog->chkAll()->isChecked());
        QVERIFY(ReadRatesSettings(bench).extended);
        dialog->cmdSetting()->click();
        window->calculateButton()->click();
        QCOMPARE(int(bench.reports.size()), 2);
        const std::string problem = test::ExtendedWorkbookProblem(bench.reports[0], bench.reports[1]);
        QVERIFY2(problem.empty(), problem.c_str());
    }

    void menuCommandsSetCaptionLabelsAndTheOddsItem() {
        FakeWorkbench bench;
        RatesInputWindow* window = ShowRatesInputWindow(bench, rates::RatesMenuCommand::RateComp);
        QCOMPARE(window->objectName(), QStringLiteral("frmChiInput"));
        QCOMPARE(window->windowTitle(), QStringLiteral("智能化两样本率比较(2×2卡方法)数据录入"));
        QCOMPARE(std::get<std::string>(window->grid().value("A2")), std::string("处理1"));
        QVERIFY(!FindRatesSettings(bench));

        // The same window again, and the odds item checked in a hidden dialog.
        QCOMPARE(ShowRatesInputWindow(bench, rates::RatesMenuCommand::OddAna), window);
        QCOMPARE(bench.area->subWindowList().size(), 2);
        RatesSettingsDialog* dialog = FindRatesSettings(bench);
        QVERIFY(dialog);
        QVERIFY(!dialog->isVisible());
        QVERIFY(dialog->chkP(11)->isChecked());
        QVERIFY(ReadRatesSettings(bench).odds);

        CommandTable commands;
        RegisterRatesCommands(commands);
        for (const char* name : {"mnuRateAna", "mnuEnRateAna", "mnuRateComp", "mnuOddAna"})
            QVERIFY(commands.count(QString::fromUtf8(name)));
        commands[QStringLiteral("mnuEnRateAna")](bench);
        QCOMPARE(window->windowTitle(), QStringLiteral("阳性率分析(2×2卡方法)数据录入"));
        QCOMPARE(std::get<std::string>(window->grid().value("A2")), std::string("R组"));
    }

    void settingsDisableTheWindowUntilConfirmedOrClosed() {
        FakeWorkbench bench;
        RatesInputWindow* window = ShowRatesInputWindow(bench, rates::RatesMenuCommand::RateAna);
        window->settingsButton()->click();
        QVERIFY(!window->isEnabled());
        RatesSettingsDialog* dialog = FindRatesSettings(bench);
        QVERIFY(dialog && dialog->isVisible());
        Click(dialog->chkP(10));
        dialog->cmdSetting()->click();
        QVERIFY(window->isEnabled());
        QVERIFY(!dialog->isVisible());
        QVERIFY(ReadRatesSettings(bench).rates);

        // The choice reaches the report: the rates section from row 14.
        window->calculateButton()->click();
        QCOMPARE(int(bench.reports.size()), 1);
        QCOMPARE(model::PlainText(bench.reports[0].activeSheet().value("A14")), std::string("阳性率及可信限"));

        // The close box discards the choices and enables the window again.
        window->settingsButton()->click();
        dialog = FindRatesSettings(bench);
        QMdiSubWindow* holder = qobject_cast<QMdiSubWindow*>(dialog->parentWidget());
        QVERIFY(holder);
        holder->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window->isEnabled());
        QVERIFY(!FindRatesSettings(bench));
        QVERIFY(!ReadRatesSettings(bench).rates);
        window->calculateButton()->click();
        QCOMPARE(int(bench.reports.size()), 2);
        QCOMPARE(bench.reports[1].activeSheet().usedExtent().row, 11);
    }

    void refusalAndHelpGoThroughThePrompter() {
        FakeWorkbench bench;
        RatesInputWindow* window = ShowRatesInputWindow(bench, rates::RatesMenuCommand::RateAna);
        window->grid().setValue("C2", 2.5);
        window->calculateButton()->click();
        QVERIFY(bench.reports.empty());
        auto dialogs = bench.recorder.dialogs();
        QCOMPARE(int(dialogs.size()), 1);
        QCOMPARE(dialogs[0].text, std::string("数据录入区发现小数，请更正"));
        QCOMPARE(window->grid().selection(), model::Range("B2:C3"));
        QCOMPARE(std::get<double>(window->grid().value("C2")), 2.5);

        window->helpButton()->click();
        dialogs = bench.recorder.dialogs();
        QCOMPARE(int(dialogs.size()), 2);
        QCOMPARE(dialogs[1].title, std::string("智能化两组阳性率分析在线帮助"));
        QCOMPARE(dialogs[1].icon, report::MessageIcon::None);

        // The caption a menu command set picks the box.
        ShowRatesInputWindow(bench, rates::RatesMenuCommand::EnRateAna);
        QCOMPARE(window->windowTitle(), QStringLiteral("阳性率分析(2×2卡方法)数据录入"));
        window->helpButton()->click();
        dialogs = bench.recorder.dialogs();
        QCOMPARE(int(dialogs.size()), 3);
        QCOMPARE(dialogs[2].title, std::string("阳性率分析(2×2卡方法)在线帮助"));
    }

    void theGridLetsWholeNumbersInOnly() {
        FakeWorkbench bench;
        RatesInputWindow* window = ShowRatesInputWindow(bench, rates::RatesMenuCommand::RateAna);
        GridView* grid = window->gridView();
        int beeps = 0;
        grid->setBeep([&beeps] { ++beeps; });
        struct Key {
            Qt::Key key;
            const char* cell;
        };
        // The minus and decimal-point keys are refused: a beep and an empty cell.
        for (const Key& k : {Key{Qt::Key_Minus, "B2"}, Key{Qt::Key_Period, "C3"}}) {
            window->grid().select(k.cell);
            grid->refresh();
            const int before = beeps;
            QTest::keyClick(grid, k.key);
            QCOMPARE(beeps, before + 1);
            QVERIFY(model::IsEmpty(window->grid().value(k.cell)));
        }
        window->grid().select("C2");
        grid->refresh();
        QTest::keyClick(grid, Qt::Key_7);
        grid->commitPendingEdit();
        QCOMPARE(beeps, 2);
        QCOMPARE(model::AsNumber(window->grid().value("C2")), std::optional<double>(7));
    }

    void everyControlHasAnAccessibleName() {
        FakeWorkbench bench;
        RatesInputWindow* window = ShowRatesInputWindow(bench, rates::RatesMenuCommand::OddAna);
        for (QWidget* root : {static_cast<QWidget*>(window),
                              static_cast<QWidget*>(FindRatesSettings(bench))})
            for (QWidget* w : root->findChildren<QWidget*>())
                if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
                    QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
        QCOMPARE(window->gridView()->keySet(),
                 std::optional<model::GridKeySet>(model::GridKeySet::WholeNumbers));
    }
};

TAVELMARK_QTEST_CLASS(RatesUiTest)
#include "rates_ui_test.moc"
