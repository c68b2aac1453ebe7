// The Bliss windows: frmBlissInput and its menu command, the options dialog
// frmBlissSetting and the LDk calculator frmLDk.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

#include "desktop/bliss/bliss_commands.h"
#include "desktop/bliss/bliss_desktop.h"
#include "desktop/bliss/bliss_input_window.h"
#include "desktop/bliss/bliss_settings_dialog.h"
#include "desktop/bliss/ldk_window.h"
#include "support/extended_workbook.h"
#include "support/fake_workbench.h"
#include "support/qtest_class.h"
#include "ui/grid_view.h"
#include "ui/result_window.h"

using namespace tavelmark;

using tavelmark::bliss::desktop::BlissInputWindow;
using tavelmark::bliss::desktop::BlissSettingsDialog;
using tavelmark::bliss::desktop::LDkWindow;
namespace bliss_desktop = tavelmark::bliss::desktop;

namespace {

using test::FakeWorkbench;

struct OpenedBlissWindow {
    FakeWorkbench bench;
    ui::CommandTable commands;
    BlissInputWindow* window = nullptr;

    OpenedBlissWindow() {
        bliss_desktop::Registration().registerCommands(commands);
        commands.at(QStringLiteral("mnuBliss"))(bench);
        window = bench.area->findChild<BlissInputWindow*>();
    }
    BlissSettingsDialog* openSettings() {
        QTest::mouseClick(window->settingsButton(), Qt::LeftButton);
        return bliss_desktop::FindBlissSettings(bench);
    }
    QString lastMessage() const {
        const auto dialogs = bench.recorder.dialogs();
        return dialogs.empty() ? QString() : QString::fromStdString(dialogs.back().text);
    }
    std::string reportText(const char* a1) const {
        return model::PlainText(bench.reports.back().activeSheet().value(a1));
    }
};

void TypeInto(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

}  // namespace

class BlissWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void menuCommandOpensOneWindowWithTheTemplate();
    void everyControlHasAnAccessibleName();
    void calculateWithTheInitialSettings();
    void refusalSelectsTheCellAndKeepsTheGrid();
    void helpButtonShowsTheHelpBox();
    void settingsAreKeptAfterConfirmAndUsedByTheCalculation();
    void closeBoxDiscardsTheSettings();
    void extendedResultsAddTheSecondSheetAndLeaveTheReport();
    void backgroundBoxFiltersKeysAndRefusesOneHundred();
    void ldkCalculatorRecomputesOnEveryChange();
    void screenshotsWhenAsked();
};

void BlissWindowsTest::menuCommandOpensOneWindowWithTheTemplate() {
    OpenedBlissWindow o;
    QVERIFY(o.window);
    QCOMPARE(o.window->windowTitle(), QStringLiteral("正规Bliss法(LD50计算)数据录入"));
    o.window->grid().setValue("B9", 44.0);
    o.window->grid().setValue("B3", 1.0);
    o.commands.at(QStringLiteral("mnuBliss"))(o.bench);
    QCOMPARE(o.bench.area->findChildren<BlissInputWindow*>().size(), 1);
    QCOMPARE(o.window->grid().value("B3"), model::CellValue(25.0));  // the example is back
    QCOMPARE(o.window->grid().value("B9"), model::CellValue(44.0));  // row 9 is the user's
    QCOMPARE(o.window->gridView()->keySet(), std::optional<model::GridKeySet>(model::GridKeySet::Decimals));
}

void BlissWindowsTest::everyControlHasAnAccessibleName() {
    OpenedBlissWindow o;
    o.openSettings();
    QTest::mouseClick(bliss_desktop::FindBlissSettings(o.bench)->cmdSet(), Qt::LeftButton);
    bliss_desktop::ShowLDkCalculator(o.bench, bliss::BlissHandOver{});
    for (QWidget* w : o.bench.area->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                             qobject_cast<ui::GridView*>(w);
        // The grid's own parts (its corner button, cell editors) are the grid's.
        bool insideGrid = false;
        for (QWidget* p = w->parentWidget(); p; p = p->parentWidget())
            insideGrid = insideGrid || qobject_cast<ui::GridView*>(p);
        if (insideGrid) continue;
        const QWidget* owner = w->parentWidget();
        while (owner && !qobject_cast<const BlissInputWindow*>(owner) &&
               !qobject_cast<const BlissSettingsDialog*>(owner) && !qobject_cast<const LDkWindow*>(owner))
            owner = owner->parentWidget();
        if (control && owner && !w->objectName().startsWith("qt_"))
            QVERIFY2(!w->accessibleName().isEmpty(),
                     qPrintable(w->objectName() + " " + w->metaObject()->className()));
    }
}

void BlissWindowsTest::calculateWithTheInitialSettings() {
    OpenedBlissWindow o;
    QTest::mouseClick(o.window->calculateButton(), Qt::LeftButton);
    QCOMPARE(o.bench.reports.size(), std::size_t(1));
    QCOMPARE(o.reportText("C8"), std::string("12.5392～16.0635"));
    QCOMPARE(o.reportText("B4"), std::string("(本底死亡率为:0%)"));
    QCOMPARE(o.reportText("A16"), std::string());
    QVERIFY(!bliss_desktop::FindLDkCalculator(o.bench));
    QVERIFY(o.window->isEnabled());
    QCOMPARE(QString::fromStdString(o.bench.recorder.statusText()), QStringLiteral("就绪"));
}

void BlissWindowsTest::refusalSelectsTheCellAndKeepsTheGrid() {
    OpenedBlissWindow o;
    o.window->grid().setValue("C5", model::CellValue{});
    o.window->grid().setValue("B8", 3.0);
    QTest::mouseClick(o.window->calculateButton(), Qt::LeftButton);
    QVERIFY(o.bench.reports.empty());
    QCOMPARE(o.lastMessage(), QStringLiteral("本例有7组,发现空单元格或类型不匹配"));
    QCOMPARE(o.window->grid().selection(), model::Range("C5"));
    QCOMPARE(o.window->gridView()->activeCell(), model::Cell("C5"));
    QCOMPARE(o.window->grid().value("B8"), model::CellValue(3.0));
    QVERIFY(o.window->isEnabled());
}

void BlissWindowsTest::helpButtonShowsTheHelpBox() {
    OpenedBlissWindow o;
    QTest::mouseClick(o.window->helpButton(), Qt::LeftButton);
    const auto dialogs = o.bench.recorder.dialogs();
    QCOMPARE(dialogs.size(), std::size_t(1));
    QCOMPARE(dialogs[0].title, std::string("正规Bliss法(LD50计算)在线帮助"));
    QCOMPARE(dialogs[0].icon, report::MessageIcon::None);
}

void BlissWindowsTest::settingsAreKeptAfterConfirmAndUsedByTheCalculation() {
    OpenedBlissWindow o;
    BlissSettingsDialog* dialog = o.openSettings();
    QVERIFY(dialog);
    QVERIFY(!o.window->isEnabled());
    QVERIFY(!dialog->check(1)->isEnabled());
    TypeInto(dialog->txtBaseValue(), "5");
    for (int i = 2; i <= 6; ++i) dialog->check(i)->setChecked(true);
    QTest::mouseClick(dialog->cmdSet(), Qt::LeftButton);
    QVERIFY(!dialog->isVisibleTo(o.bench.area));
    QVERIFY(!dialog->parentWidget()->isVisible());
    QVERIFY(o.window->isEnabled());
    QTest::mouseClick(o.window->calculateButton(), Qt::LeftButton);
    QCOMPARE(o.bench.reports.size(), std::size_t(1));
    QCOMPARE(o.reportText("B4"), std::string("(本底死亡率为:5%)"));
    QCOMPARE(o.reportText("A16"), std::string("中间结果"));
    QCOMPARE(o.bench.reports.back().activeSheet().charts().size(), std::size_t(1));
    // The LDk calculator opens over the minimized report; the grid waits.
    LDkWindow* ldk = bliss_desktop::FindLDkCalculator(o.bench);
    QVERIFY(ldk);
    QVERIFY(ldk->isVisible());
    QVERIFY(ldk->textBox(1)->text().isEmpty());
    QVERIFY(o.bench.resultFrames.back()->isMinimized());
    QVERIFY(!o.window->isEnabled());
    QTest::mouseClick(ldk->cmdExit(), Qt::LeftButton);
    QTRY_VERIFY(!bliss_desktop::FindLDkCalculator(o.bench));
    QVERIFY(o.window->isEnabled());

    // The settings stay for the next calculation.
    QVERIFY(bliss_desktop::FindBlissSettings(o.bench));
    QCOMPARE(bliss_desktop::FindBlissSettings(o.bench)->txtBaseValue()->text(), QStringLiteral("5"));
}

void BlissWindowsTest::extendedResultsAddTheSecondSheetAndLeaveTheReport() {
    OpenedBlissWindow o;
    BlissSettingsDialog* dialog = o.openSettings();
    QVERIFY(dialog->extendedCheck());
    QCOMPARE(dialog->extendedCheck()->text(), QStringLiteral("扩展结果"));
    QCOMPARE(dialog->extendedCheck()->accessibleName(), QStringLiteral("扩展结果"));
    QVERIFY(!dialog->extendedCheck()->isChecked());
    // The classic report with its optional parts, chart included, so that a
    // second sheet that disturbed any of them would show.
    TypeInto(dialog->txtBaseValue(), "5");
    for (int i : {2, 3, 4, 6}) dialog->check(i)->setChecked(true);
    QTest::mouseClick(dialog->cmdSet(), Qt::LeftButton);
    QTest::mouseClick(o.window->calculateButton(), Qt::LeftButton);
    QCOMPARE(o.bench.reports.size(), std::size_t(1));
    const std::size_t messages = o.bench.recorder.dialogs().size();

    dialog = o.openSettings();
    dialog->extendedCheck()->setChecked(true);
    QTest::mouseClick(dialog->cmdSet(), Qt::LeftButton);
    QTest::mouseClick(o.window->calculateButton(), Qt::LeftButton);
    QCOMPARE(o.bench.reports.size(), std::size_t(2));
    const std::string problem = test::ExtendedWorkbookProblem(o.bench.reports[0], o.bench.reports[1]);
    QVERIFY2(problem.empty(), problem.c_str());
    // The same messages as without the option, and no more.
    const auto dialogs = o.bench.recorder.dialogs();
    QCOMPARE(dialogs.size(), 2 * messages);
    for (std::size_t i = 0; i < messages; ++i) QCOMPARE(dialogs[messages + i].text, dialogs[i].text);
}

void BlissWindowsTest::closeBoxDiscardsTheSettings() {
    OpenedBlissWindow o;
    BlissSettingsDialog* dialog = o.openSettings();
    dialog->check(2)->setChecked(true);
    TypeInto(dialog->txtBaseValue(), "10");
    dialog->parentWidget()->close();  // the frame's close box
    QTRY_VERIFY(!bliss_desktop::FindBlissSettings(o.bench));
    QVERIFY(o.window->isEnabled());
    QTest::mouseClick(o.window->calculateButton(), Qt::LeftButton);
    QCOMPARE(o.reportText("B4"), std::string("(本底死亡率为:0%)"));
    QCOMPARE(o.reportText("A16"), std::string());
    dialog = o.openSettings();
    QCOMPARE(dialog->txtBaseValue()->text(), QStringLiteral("0"));
    QVERIFY(!dialog->check(2)->isChecked());
}

void BlissWindowsTest::backgroundBoxFiltersKeysAndRefusesOneHundred() {
    OpenedBlissWindow o;
    BlissSettingsDialog* dialog = o.openSettings();
    int beeps = 0;
    dialog->setBeep([&beeps] { ++beeps; });
    QLineEdit* box = dialog->txtBaseValue();
    TypeInto(box, "9a-9.9");
    QCOMPARE(box->text(), QStringLiteral("99.9"));
    QCOMPARE(beeps, 2);
    QVERIFY(o.bench.recorder.dialogs().empty());
    QCOMPARE(dialog->options().backgroundText, std::string("99.9"));

    TypeInto(box, "100");
    const auto dialogs = o.bench.recorder.dialogs();
    QCOMPARE(dialogs.size(), std::size_t(1));
    QCOMPARE(dialogs[0].text, std::string("本底死亡率应在[0%,100%)之间,请重新输入"));
    QCOMPARE(dialogs[0].title, std::string("数据超出范围！"));
    QCOMPARE(dialogs[0].icon, report::MessageIcon::Critical);
    QCOMPARE(box->text(), QStringLiteral("0"));
    QCOMPARE(box->selectedText(), QStringLiteral("0"));
}

void BlissWindowsTest::ldkCalculatorRecomputesOnEveryChange() {
    OpenedBlissWindow o;
    BlissSettingsDialog* dialog = o.openSettings();
    dialog->check(5)->setChecked(true);
    QTest::mouseClick(dialog->cmdSet(), Qt::LeftButton);
    QTest::mouseClick(o.window->calculateButton(), Qt::LeftButton);
    LDkWindow* ldk = bliss_desktop::FindLDkCalculator(o.bench);
    QVERIFY(ldk);
    QCOMPARE(ldk->windowTitle(), QStringLiteral("计算LDk"));
    QLineEdit* k = ldk->textBox(1);
    k->setFocus();
    // Worked example of the manual: LD9 on the way to LD95.
    QTest::keyClick(k, Qt::Key_9);
    const QString ld9 = ldk->textBox(2)->text();
    QVERIFY(!ld9.isEmpty());
    QTest::keyClick(k, Qt::Key_5);
    QCOMPARE(ldk->textBox(2)->text(), QStringLiteral("27.138302"));
    QCOMPARE(ldk->textBox(3)->text(), QStringLiteral("21.65～34.01"));
    QCOMPARE(ldk->textBox(4)->text(), QStringLiteral("6.179327"));
    TypeInto(k, "100");
    QVERIFY(ldk->textBox(2)->text().isEmpty());
    QVERIFY(ldk->textBox(3)->text().isEmpty());
    QVERIFY(ldk->textBox(4)->text().isEmpty());
    TypeInto(k, "50");
    QCOMPARE(ldk->textBox(2)->text(), QStringLiteral("14.192381"));
    // The close box gives the grid back as 退出 does.
    ldk->parentWidget()->close();
    QTRY_VERIFY(!bliss_desktop::FindLDkCalculator(o.bench));
    QVERIFY(o.window->isEnabled());
}

// With BLISS_SCREENSHOTS=<folder> (run under Xvfb or offscreen), pictures of
// the four windows for a look by eye.
void BlissWindowsTest::screenshotsWhenAsked() {
    const QString folder = qEnvironmentVariable("BLISS_SCREENSHOTS");
    if (folder.isEmpty()) QSKIP("BLISS_SCREENSHOTS not set");
    OpenedBlissWindow o;
    o.bench.main.resize(1280, 900);
    auto shoot = [&](const char* name) {
        QTest::qWait(50);
        QVERIFY(o.bench.main.grab().save(folder + "/" + name + ".png"));
    };
    shoot("bliss_input");
    BlissSettingsDialog* dialog = o.openSettings();
    TypeInto(dialog->txtBaseValue(), "0");
    for (int i = 2; i <= 6; ++i) dialog->check(i)->setChecked(true);
    dialog->extendedCheck()->setChecked(true);
    shoot("bliss_settings");
    QTest::mouseClick(dialog->cmdSet(), Qt::LeftButton);
    QTest::mouseClick(o.window->calculateButton(), Qt::LeftButton);
    LDkWindow* ldk = bliss_desktop::FindLDkCalculator(o.bench);
    QVERIFY(ldk);
    TypeInto(ldk->textBox(1), "95");
    shoot("bliss_ldk");
    QMdiSubWindow* report = o.bench.resultFrames.back();
    report->showMaximized();
    o.bench.area->setActiveSubWindow(report);
    shoot("bliss_report");
}

TAVELMARK_QTEST_CLASS(BlissWindowsTest)
#include "test_bliss_windows.moc"
