// frmIntelDAveInput and frmPrintShow: the menu commands, the outlier
// dialogue through the window (Yes moves the column up, No keeps the value),
// the result-items dialog and the help box.
#include <cmath>
#include <optional>
#include <variant>

#include <QCheckBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

#include "analyses/means/means_captions.h"
#include "analyses/means/run_means.h"
#include "desktop/means/means_commands.h"
#include "desktop/means/means_input_window.h"
#include "desktop/means/print_show_dialog.h"
#include "report/extended_sheet.h"
#include "support/extended_workbook.h"
#include "support/fake_workbench.h"
#include "support/qtest_class.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"
#include "ui/result_window.h"

using namespace tavelmark;

using tavelmark::means::desktop::MeansInputWindow;
using tavelmark::means::desktop::PrintShowDialog;

namespace {

using test::FakeWorkbench;

struct OpenedMeansWindow {
    FakeWorkbench bench;
    ui::CommandTable commands;
    MeansInputWindow* window = nullptr;

    explicit OpenedMeansWindow(const char* menu = "mnuAverAna") {
        means::desktop::RegisterMeansCommands(commands);
        open(menu);
    }
    void open(const char* menu) {
        commands.at(QString::fromUtf8(menu))(bench);
        window = bench.area->findChild<MeansInputWindow*>();
    }
    void calculate() { QTest::mouseClick(window->calculateButton(), Qt::LeftButton); }
    QString shown(const char* a1) {
        return window->gridView()->gridModel()->indexOf(model::Cell(a1)).data().toString();
    }
    PrintShowDialog* dialog() { return bench.area->findChild<PrintShowDialog*>(); }
};

}  // namespace

class MeansWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void menuCommandsShareOneWindowAndSetItsCaption();
    void everyControlHasAnAccessibleName();
    void signedDecimalsCanBeTyped();
    void yesDeletesTheOutlierByMovingTheColumnUp();
    void noKeepsTheOutlierAndReports();
    void theDialogChoosesSectionsAndDisablesTheWindow();
    void theCloseBoxForgetsTheChoices();
    void extendedResultsUseTheValuesLeftAfterTheOutlierQuestion();
    void helpBoxTitleFollowsTheCaption();
    void aClosedWindowComesBackWithTheExample();
};

void MeansWindowsTest::menuCommandsShareOneWindowAndSetItsCaption() {
    OpenedMeansWindow opened;
    QVERIFY(opened.window);
    QCOMPARE(opened.window->objectName(), QStringLiteral("frmIntelDAveInput"));
    QCOMPARE(opened.window->windowTitle(), QStringLiteral("智能化两组均数分析数据录入"));
    QCOMPARE(opened.window->grid().value("B16"), model::CellValue{36.0});
    QCOMPARE(opened.shown("A2"), QStringLiteral("38"));

    // Typed data survives the menu commands; the title marks it as a change,
    // the caption stays the command's.
    opened.window->grid().setValue("A2", 40.0);
    opened.open("mnuAverComp");
    QCOMPARE(opened.bench.area->findChildren<MeansInputWindow*>().size(), 1);
    QCOMPARE(opened.window->caption(), QString::fromUtf8(means::kMeansCompareCaption));
    opened.open("mnuItelAna");
    QCOMPARE(opened.window->caption(), QString::fromUtf8(means::kMeansIntelligentCaption));
    opened.open("mnuAverAna");  // leaves the caption as it is
    QCOMPARE(opened.window->caption(), QString::fromUtf8(means::kMeansIntelligentCaption));
    QCOMPARE(opened.window->grid().value("A2"), model::CellValue{40.0});
}

void MeansWindowsTest::everyControlHasAnAccessibleName() {
    OpenedMeansWindow opened;
    QTest::mouseClick(opened.window->settingsButton(), Qt::LeftButton);
    QVERIFY(opened.dialog());
    const QList<QWidget*> controls = opened.window->findChildren<QWidget*>(
                                         Qt::FindDirectChildrenOnly) +
                                     opened.dialog()->findChildren<QWidget*>(
                                         Qt::FindDirectChildrenOnly);
    QVERIFY(controls.size() >= 4 + 11);
    for (QWidget* control : controls)
        QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
}

void MeansWindowsTest::signedDecimalsCanBeTyped() {
    OpenedMeansWindow opened;
    int beeps = 0;
    ui::GridView& grid = *opened.window->gridView();
    grid.setBeep([&beeps] { ++beeps; });
    opened.window->grid().select("A12");
    grid.refresh();
    auto press = [&grid](Qt::Key key) {
        QWidget* target = &grid;
        for (auto* editor : grid.viewport()->findChildren<QWidget*>())
            if (editor->isVisible() && editor->inherits("QLineEdit")) target = editor;
        QTest::keyClick(target, key);
    };
    for (Qt::Key key : {Qt::Key_Minus, Qt::Key_1, Qt::Key_Period, Qt::Key_5, Qt::Key_Return})
        press(key);
    QCOMPARE(beeps, 0);
    QCOMPARE(opened.window->grid().value("A12"), model::CellValue{-1.5});
    opened.window->grid().select("A13");
    grid.refresh();
    press(Qt::Key_A);
    QCOMPARE(beeps, 1);
    QVERIFY(model::IsEmpty(opened.window->grid().value("A13")));
}

void MeansWindowsTest::yesDeletesTheOutlierByMovingTheColumnUp() {
    OpenedMeansWindow opened;
    opened.bench.recorder.answers = {true};
    opened.calculate();
    QVERIFY(opened.bench.reports.empty());
    const auto dialogs = opened.bench.recorder.dialogs();
    QCOMPARE(dialogs.size(), std::size_t{2});
    QCOMPARE(dialogs[0].text, std::string("R组中发现离群值59,是否删除"));
    QCOMPARE(dialogs[1].text, std::string(means::kRecalculateText));
    QCOMPARE(opened.bench.recorder.statusText(), std::string("就绪"));

    // 59 was in B9: 25 moved up into it, the column lost its last cell, A kept all ten.
    QCOMPARE(opened.shown("B9"), QStringLiteral("25"));
    QCOMPARE(opened.shown("B15"), QStringLiteral("36"));
    QCOMPARE(opened.shown("B16"), QString());
    QCOMPARE(opened.shown("A11"), QStringLiteral("33"));
    QCOMPARE(model::CellName(opened.window->gridView()->activeCell()), std::string("B9"));
    QVERIFY(opened.window->isEnabled());

    // Calculated again: the recorder now answers No and the report counts 14 R values.
    opened.calculate();
    QCOMPARE(opened.bench.reports.size(), std::size_t{1});
    QCOMPARE(opened.bench.reports.front().activeSheet().value("B8"), model::ReportValue{10.0});
    QCOMPARE(opened.bench.reports.front().activeSheet().value("C8"), model::ReportValue{14.0});
}

void MeansWindowsTest::noKeepsTheOutlierAndReports() {
    OpenedMeansWindow opened;
    opened.bench.recorder.answers = {false};
    opened.calculate();
    QCOMPARE(opened.bench.reports.size(), std::size_t{1});
    const auto dialogs = opened.bench.recorder.dialogs();
    QCOMPARE(dialogs.size(), std::size_t{1});
    QCOMPARE(dialogs[0].kind, report::RecordingPrompter::Kind::Question);
    QCOMPARE(opened.window->grid().value("B9"), model::CellValue{59.0});
    const model::Sheet& report = opened.bench.reports.front().activeSheet();
    QCOMPARE(report.value("C8"), model::ReportValue{15.0});
    // Without the dialog ever opened only the main table is written.
    QCOMPARE(report.value("A21"), model::ReportValue{});
    QCOMPARE(opened.bench.area->findChildren<ui::ResultWindow*>().size(), 1);
}

void MeansWindowsTest::theDialogChoosesSectionsAndDisablesTheWindow() {
    OpenedMeansWindow opened;
    QTest::mouseClick(opened.window->settingsButton(), Qt::LeftButton);
    PrintShowDialog* dialog = opened.dialog();
    QVERIFY(dialog);
    QVERIFY(!opened.window->isEnabled());
    QVERIFY(dialog->check(1)->isChecked() && !dialog->check(1)->isEnabled());
    QVERIFY(dialog->check(2)->isChecked() && !dialog->check(2)->isEnabled());
    for (int number = 3; number <= 9; ++number) QVERIFY(!dialog->check(number)->isChecked());

    dialog->check(4)->setChecked(true);  // 统计描述
    dialog->check(9)->setChecked(true);  // 方差齐性检验
    QTest::mouseClick(dialog->command1(), Qt::LeftButton);
    QVERIFY(opened.window->isEnabled());
    QVERIFY(!dialog->isVisible());

    opened.calculate();
    QCOMPARE(opened.bench.reports.size(), std::size_t{1});
    const model::Sheet& report = opened.bench.reports.front().activeSheet();
    QCOMPARE(report.value("A21"), model::ReportValue{std::string("统计描述")});
    QCOMPARE(report.value("A36"), model::ReportValue{std::string("方差齐性检验")});
    // The choices stay for the next calculation.
    opened.calculate();
    QCOMPARE(opened.bench.reports.back().activeSheet().value("A36"),
             model::ReportValue{std::string("方差齐性检验")});
}

void MeansWindowsTest::extendedResultsUseTheValuesLeftAfterTheOutlierQuestion() {
    OpenedMeansWindow opened;
    QTest::mouseClick(opened.window->settingsButton(), Qt::LeftButton);
    QCheckBox* extended = opened.dialog()->extendedCheck();
    QVERIFY(extended);
    QCOMPARE(extended->accessibleName(), QStringLiteral("扩展结果"));
    QVERIFY(!extended->isChecked());
    for (int number = 3; number <= 9; ++number) opened.dialog()->check(number)->setChecked(true);
    QTest::mouseClick(opened.dialog()->command1(), Qt::LeftButton);

    // The outlier 59 of the example is deleted, then the calculation runs on
    // the 14 values left, without the option and with it.
    opened.bench.recorder.answers = {true};
    opened.calculate();
    QVERIFY(opened.bench.reports.empty());
    opened.calculate();
    QTest::mouseClick(opened.window->settingsButton(), Qt::LeftButton);
    opened.dialog()->extendedCheck()->setChecked(true);
    QTest::mouseClick(opened.dialog()->command1(), Qt::LeftButton);
    opened.calculate();
    QCOMPARE(opened.bench.reports.size(), std::size_t{2});
    const std::string problem = test::ExtendedWorkbookProblem(opened.bench.reports[0], opened.bench.reports[1]);
    QVERIFY2(problem.empty(), problem.c_str());

    // The mean difference of the second sheet is that of the grid as it is now.
    auto columnMean = [&](int column) {
        double sum = 0;
        int n = 0;
        for (int row = 2; row <= 30; ++row)
            if (const auto v = model::AsNumber(opened.window->grid().value(model::CellRef{row, column}))) {
                sum += *v;
                ++n;
            }
        return sum / n;
    };
    const double expected = columnMean(1) - columnMean(2);
    const model::Sheet& second = opened.bench.reports[1].sheets[1];
    std::optional<double> shown;
    for (const auto& [cell, value] : second.cells().values())
        if (cell.column == report::kExtendedItemColumn && model::PlainText(value) == "均数差 (合并方差)")
            if (const auto* d = std::get_if<double>(&second.value({cell.row, report::kExtendedEstimateColumn})))
                shown = *d;
    QVERIFY(shown);
    QVERIFY(std::abs(*shown - expected) < 1e-9 * std::max(1.0, std::abs(expected)));
}

void MeansWindowsTest::theCloseBoxForgetsTheChoices() {
    OpenedMeansWindow opened;
    QTest::mouseClick(opened.window->settingsButton(), Qt::LeftButton);
    opened.dialog()->check(3)->setChecked(true);
    auto* holder = qobject_cast<QMdiSubWindow*>(opened.dialog()->parentWidget());
    QVERIFY(holder);
    holder->close();
    QTRY_VERIFY(!opened.dialog());
    QVERIFY(opened.window->isEnabled());
    opened.calculate();
    QCOMPARE(opened.bench.reports.size(), std::size_t{1});
    QCOMPARE(opened.bench.reports.front().activeSheet().value("A21"), model::ReportValue{});
}

void MeansWindowsTest::helpBoxTitleFollowsTheCaption() {
    OpenedMeansWindow opened("mnuItelAna");
    QTest::mouseClick(opened.window->helpButton(), Qt::LeftButton);
    const auto dialogs = opened.bench.recorder.dialogs();
    QCOMPARE(dialogs.size(), std::size_t{1});
    QCOMPARE(dialogs[0].title, std::string("智能化分析在线帮助"));
    QCOMPARE(dialogs[0].icon, report::MessageIcon::None);
}

void MeansWindowsTest::aClosedWindowComesBackWithTheExample() {
    OpenedMeansWindow opened;
    opened.window->grid().setValue("A2", 99.0);
    opened.window->setSaveQuestion([](const QString&, const QString&) { return QMessageBox::Discard; });
    auto* holder = qobject_cast<QMdiSubWindow*>(opened.window->parentWidget());
    holder->close();
    QTRY_VERIFY(!opened.bench.area->findChild<MeansInputWindow*>());
    opened.open("mnuAverAna");
    QCOMPARE(opened.window->grid().value("A2"), model::CellValue{38.0});
}

TAVELMARK_QTEST_CLASS(MeansWindowsTest)
#include "test_means_windows.moc"
