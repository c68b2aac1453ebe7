// frmMultigroupInput and frmMultigroupSetting: the two menu commands that
// open the one window under their captions, 计算 with its report and chart,
// the options dialog's choices on their way to the calculation and to a
// saved file, the refusals that select their cell, and the keys of the grid
// and of the dialog.
#include <functional>
#include <string>

#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "analyses/multigroup/multigroup_input.h"
#include "analyses/multigroup/multigroup_texts.h"
#include "desktop/multigroup/multigroup_commands.h"
#include "desktop/multigroup/multigroup_input_window.h"
#include "desktop/multigroup/multigroup_settings_dialog.h"
#include "report/extended_sheet.h"
#include "support/fake_workbench.h"
#include "support/qtest_class.h"
#include "support/sheet_cells.h"
#include "ui/grid_view.h"
#include "ui/result_window.h"
#include "ui/workbook_view.h"

using namespace tavelmark;

using tavelmark::multigroup::desktop::MultigroupInputWindow;
using tavelmark::multigroup::desktop::MultigroupSettingsDialog;
namespace text = tavelmark::multigroup::text;

namespace {

using test::FakeWorkbench;

struct OpenedMultigroupWindow {
    FakeWorkbench bench;
    ui::CommandTable commands;
    MultigroupInputWindow* window = nullptr;

    explicit OpenedMultigroupWindow(const char* menu = "mnuMAverAna") {
        multigroup::desktop::RegisterMultigroupCommands(commands);
        open(menu);
    }
    void open(const char* menu) {
        commands.at(QString::fromUtf8(menu))(bench);
        window = bench.area->findChild<MultigroupInputWindow*>();
    }
    void calculate() { QTest::mouseClick(window->calculateButton(), Qt::LeftButton); }
    MultigroupSettingsDialog* dialog() { return bench.area->findChild<MultigroupSettingsDialog*>(); }
    MultigroupSettingsDialog* openSettings() {
        QTest::mouseClick(window->settingsButton(), Qt::LeftButton);
        return dialog();
    }
    const model::Sheet& report() { return bench.reports.back().activeSheet(); }
};

// The cell of column A that reads `label`, at or after `from`; 0 when none.
int RowOf(const model::Sheet& sheet, const std::string& label, int from = 1) {
    for (int row = from; row <= 400; ++row)
        if (test::Text(sheet, row, 1) == label) return row;
    return 0;
}

// Each group's mark in the descriptive table's 标记 column.
std::string MarkOf(const model::Sheet& sheet, const std::string& group) {
    const int header = RowOf(sheet, "组  别", RowOf(sheet, "统计描述"));
    int markColumn = 0;
    for (int column = 1; column <= 20 && !markColumn; ++column)
        if (test::Text(sheet, header, column) == "标记") markColumn = column;
    const int row = RowOf(sheet, group, header);
    return row && markColumn ? test::Text(sheet, row, markColumn) : "(not found)";
}

QStringList Entries(const QComboBox* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) entries << list->itemData(i).toString();
    return entries;
}

// Options as the file holds them, compared as their text (its members sorted).
QString Json(const nlohmann::json& options) { return QString::fromStdString(options.dump()); }

void Choose(QComboBox* list, const QString& name) { list->setCurrentIndex(list->findData(name)); }

// A key typed into the grid the way a user types it: into the cell's editor
// once one is open.
void Press(ui::GridView& grid, Qt::Key key) {
    QWidget* target = &grid;
    for (auto* editor : grid.viewport()->findChildren<QWidget*>())
        if (editor->isVisible() && editor->inherits("QLineEdit")) target = editor;
    QTest::keyClick(target, key);
}

}  // namespace

class MultigroupWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void bothMenuEntriesOpenTheOneWindowUnderTheirCaptions();
    void calculateWritesTheReportAndItsChart();
    void theDialogsChoicesReachTheCalculationAndTheFile();
    void theDialogOffersTheHeadingsAsTheyAreNow();
    void refusalsSelectTheOffendingCell();
    void groupNamesAreTextAndValuesSignedDecimals();
    void everyControlIsNamedAndTheDialogWorksByKeyboard();

private:
    QTemporaryDir dir_;
};

void MultigroupWindowsTest::initTestCase() {
    QVERIFY(dir_.isValid());
    // The recent-files list of a save goes to a settings file of the test's own.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.filePath("settings"));
}

void MultigroupWindowsTest::bothMenuEntriesOpenTheOneWindowUnderTheirCaptions() {
    struct Entry {
        const char* menu;
        const char* caption;
        const char* reportTitle;
        const char* helpTitle;
    };
    // Back and forth: each command sets its own caption on the window already open.
    const Entry entries[] = {
        {"mnuMAverAna", "多组均数分析数据录入", text::kReportTitle, "多组均数分析在线帮助"},
        {"mnuControlComp", "各实验组与对照组均数比较数据录入", text::kControlReportTitle,
         "各实验组与对照组均数比较在线帮助"},
        {"mnuMAverAna", "多组均数分析数据录入", text::kReportTitle, "多组均数分析在线帮助"},
    };
    OpenedMultigroupWindow opened(entries[0].menu);
    QVERIFY(opened.window);
    QCOMPARE(opened.window->objectName(), QStringLiteral("frmMultigroupInput"));
    QCOMPARE(opened.window->grid().value("B1"), model::CellValue{std::string("模型组")});
    // Untouched, the window takes the other caption as its starting point:
    // nothing to save. Once data is typed, the caption counts as a change too.
    opened.open("mnuControlComp");
    QCOMPARE(opened.window->windowTitle(), QStringLiteral("各实验组与对照组均数比较数据录入"));
    QVERIFY(!opened.window->hasUnsavedChanges());
    opened.window->grid().setValue("A2", 33.5);  // typed data stays under every caption
    for (const Entry& entry : entries) {
        opened.open(entry.menu);
        QVERIFY(opened.window->hasUnsavedChanges());
        QVERIFY(opened.window->windowTitle().endsWith(QStringLiteral("*")));
        QCOMPARE(opened.bench.area->findChildren<MultigroupInputWindow*>().size(), 1);
        QCOMPARE(opened.window->caption(), QString::fromUtf8(entry.caption));
        QCOMPARE(opened.window->grid().value("A2"), model::CellValue{33.5});

        const std::size_t reports = opened.bench.reports.size();
        opened.calculate();
        QCOMPARE(opened.bench.reports.size(), reports + 1);
        QCOMPARE(test::Text(opened.report(), "A2"), std::string(entry.reportTitle));

        QTest::mouseClick(opened.window->helpButton(), Qt::LeftButton);
        const auto dialogs = opened.bench.recorder.dialogs();
        QVERIFY(!dialogs.empty());
        QCOMPARE(dialogs.back().title, std::string(entry.helpTitle));
        QCOMPARE(dialogs.back().icon, report::MessageIcon::None);
    }
}

void MultigroupWindowsTest::calculateWritesTheReportAndItsChart() {
    OpenedMultigroupWindow opened;
    opened.calculate();
    QCOMPARE(opened.bench.reports.size(), std::size_t{1});
    QVERIFY(opened.bench.recorder.dialogs().empty());
    const model::Sheet& sheet = opened.report();
    QCOMPARE(test::Text(sheet, "A4"), std::string("方法推荐"));
    // The dialog never opened: the default reference, the first heading with
    // 模型, so the treatments carry the marks and 模型组 none.
    const std::pair<const char*, const char*> marks[] = {
        {"正常对照组", "**"}, {"模型组", ""}, {"阳性药组", "**"}, {"低剂量组", "*"}, {"中剂量组", "**"}, {"高剂量组", "**"}};
    for (const auto& [group, mark] : marks) QCOMPARE(MarkOf(sheet, group), std::string(mark));
    QVERIFY(RowOf(sheet, "与模型组比较(Dunnett法)") > 0);
    QCOMPARE(opened.bench.reports.back().sheets.size(), std::size_t{1});

    // The chart in the report and painted in its result window.
    QCOMPARE(sheet.charts().size(), std::size_t{1});
    QVERIFY(!sheet.charts().front().series.empty());
    auto* result = qobject_cast<ui::ResultWindow*>(opened.bench.resultFrames.back()->widget());
    QVERIFY(result);
    QCOMPARE(result->view()->chartViews().size(), std::size_t{1});
    QVERIFY(result->view()->chartViews().front()->isVisibleTo(result));
    QVERIFY(opened.window->isEnabled());
}

void MultigroupWindowsTest::theDialogsChoicesReachTheCalculationAndTheFile() {
    OpenedMultigroupWindow opened("mnuControlComp");
    MultigroupSettingsDialog* dialog = opened.openSettings();
    QVERIFY(dialog);
    QVERIFY(!opened.window->isEnabled());
    QVERIFY(!dialog->chkUnequalVariances()->isChecked() && !dialog->chkExtended()->isChecked());
    QCOMPARE(dialog->cboReference()->currentData().toString(), QString());
    QCOMPARE(dialog->cboNormalControl()->currentData().toString(), QString());
    Choose(dialog->cboReference(), QStringLiteral("模型组"));
    Choose(dialog->cboNormalControl(), QStringLiteral("正常对照组"));
    dialog->chkUnequalVariances()->setChecked(true);
    dialog->chkExtended()->setChecked(true);
    QTest::mouseClick(dialog->cmdSetting(), Qt::LeftButton);
    QVERIFY(opened.window->isEnabled());
    QVERIFY(!dialog->isVisibleTo(opened.bench.area));

    const nlohmann::json chosen = {{"reference", "模型组"},
                                   {"normalControl", "正常对照组"},
                                   {"alwaysUnequalVariances", true},
                                   {"focus", "against-reference"},
                                   {"extended", true}};
    QCOMPARE(Json(opened.window->currentOptions()), Json(chosen));

    // Every choice shows in the report: Welch's path, the # of the model
    // group against the normal control, the second sheet.
    opened.calculate();
    QCOMPARE(opened.bench.reports.size(), std::size_t{1});
    const model::Sheet& sheet = opened.report();
    QVERIFY2(test::Text(sheet, "A5").find("始终按方差不齐处理") != std::string::npos, test::Text(sheet, "A5").c_str());
    QVERIFY(RowOf(sheet, "Welch方差分析") > 0);
    QCOMPARE(MarkOf(sheet, "模型组"), std::string("##"));
    QCOMPARE(MarkOf(sheet, "正常对照组"), std::string(""));
    QCOMPARE(opened.bench.reports.back().sheets.size(), std::size_t{2});
    QCOMPARE(opened.bench.reports.back().sheets[1].name(), std::string(report::kExtendedSheetName));

    // Saved, the choices go with the file; the close box forgets them; the
    // file brings them back, under the caption it was saved with.
    const QString file = dir_.filePath("choices.tavelmark");
    QVERIFY(opened.window->saveTo(file));
    auto* holder = qobject_cast<QMdiSubWindow*>(dialog->parentWidget());
    QVERIFY(holder);
    holder->close();
    QTRY_VERIFY(!opened.dialog());
    opened.open("mnuMAverAna");
    QCOMPARE(Json(opened.window->currentOptions()),
             Json({{"reference", ""}, {"normalControl", ""}, {"alwaysUnequalVariances", false},
                   {"focus", "all-pairs"}, {"extended", false}}));
    QVERIFY(opened.window->openFile(file));
    QCOMPARE(Json(opened.window->currentOptions()), Json(chosen));
    QCOMPARE(opened.window->caption(), QStringLiteral("各实验组与对照组均数比较数据录入"));
    QVERIFY(opened.dialog());
    QCOMPARE(opened.dialog()->cboNormalControl()->currentData().toString(), QStringLiteral("正常对照组"));
}

void MultigroupWindowsTest::theDialogOffersTheHeadingsAsTheyAreNow() {
    OpenedMultigroupWindow opened;
    MultigroupSettingsDialog* dialog = opened.openSettings();
    const QStringList example{"", "正常对照组", "模型组", "阳性药组", "低剂量组", "中剂量组", "高剂量组"};
    QCOMPARE(Entries(dialog->cboReference()), example);
    QCOMPARE(Entries(dialog->cboNormalControl()), example);

    // One group cannot be both: choosing it for one clears the other.
    Choose(dialog->cboNormalControl(), QStringLiteral("模型组"));
    Choose(dialog->cboReference(), QStringLiteral("模型组"));
    QCOMPARE(dialog->cboNormalControl()->currentData().toString(), QString());
    Choose(dialog->cboNormalControl(), QStringLiteral("正常对照组"));
    QTest::mouseClick(dialog->cmdSetting(), Qt::LeftButton);

    // A heading renamed in the grid: the list follows it; a chosen name that
    // is gone stays chosen, marked, and the calculation says it is not there,
    // the headings selected.
    opened.window->grid().setValue("A1", std::string("空白组"));
    opened.window->grid().setValue("C1", 7.0);
    dialog = opened.openSettings();
    QCOMPARE(Entries(dialog->cboReference()),
             (QStringList{"", "空白组", "模型组", "7", "低剂量组", "中剂量组", "高剂量组"}));
    QCOMPARE(dialog->cboNormalControl()->currentData().toString(), QStringLiteral("正常对照组"));
    QVERIFY(dialog->cboNormalControl()->currentText().contains(QStringLiteral("表中无此组")));
    QCOMPARE(dialog->cboReference()->currentData().toString(), QStringLiteral("模型组"));
    QTest::mouseClick(dialog->cmdSetting(), Qt::LeftButton);
    opened.calculate();
    QVERIFY(opened.bench.reports.empty());
    const auto dialogs = opened.bench.recorder.dialogs();
    QCOMPARE(dialogs.size(), std::size_t{1});
    QCOMPARE(dialogs[0].title, std::string(text::kReferenceTitle));
    QCOMPARE(dialogs[0].text, std::string(text::kReferenceMissingHead) + "正常对照组" + text::kReferenceMissingTail);
    QCOMPARE(model::RangeName(opened.window->grid().selection()), std::string("A1:F1"));
}

void MultigroupWindowsTest::refusalsSelectTheOffendingCell() {
    using model::RangeRef;
    struct Case {
        const char* what;
        std::function<void(model::GridSheet&)> change;
        const char* title;
        std::string text;
        const char* selected;
    };
    const Case cases[] = {
        {"a gap inside a column", [](model::GridSheet& s) { s.setValue(model::Cell("D5"), model::CellValue{}); },
         text::kBadCellTitle, text::kBadCell, "D5"},
        {"text among the values", [](model::GridSheet& s) { s.setValue(model::Cell("C3"), std::string("4 5")); },
         text::kBadCellTitle, text::kBadCell, "C3"},
        {"a group of one value",
         [](model::GridSheet& s) { s.clearContents(RangeRef{model::Cell("B3"), model::Cell("B9")}); },
         text::kTooFewValuesTitle, std::string("“模型组”组") + text::kTooFewValuesTail, "B3"},
        {"one group",
         [](model::GridSheet& s) { s.clearContents(RangeRef{model::Cell("B1"), model::Cell("J301")}); },
         text::kTooFewGroupsTitle, text::kTooFewGroups, "B1"},
        {"every value equal",
         [](model::GridSheet& s) {
             for (int row = 2; row <= 9; ++row)
                 for (int column = 1; column <= 6; ++column) s.setValue(model::CellRef{row, column}, 40.0);
         },
         text::kNoVariationTitle, text::kNoVariation, "A2:F9"},
    };
    for (const Case& c : cases) {
        OpenedMultigroupWindow opened;
        c.change(opened.window->grid().activeSheet());
        opened.window->grid().notifyChanged();
        opened.calculate();
        QVERIFY2(opened.bench.reports.empty(), c.what);
        const auto dialogs = opened.bench.recorder.dialogs();
        QCOMPARE(dialogs.size(), std::size_t{1});
        QCOMPARE(dialogs[0].title, std::string(c.title));
        QCOMPARE(dialogs[0].text, c.text);
        QCOMPARE(model::RangeName(opened.window->grid().selection()), std::string(c.selected));
        QCOMPARE(opened.bench.recorder.statusText(), std::string("就绪"));
        QVERIFY2(opened.window->isEnabled(), c.what);
    }
}

void MultigroupWindowsTest::groupNamesAreTextAndValuesSignedDecimals() {
    OpenedMultigroupWindow opened;
    int beeps = 0;
    ui::GridView& grid = *opened.window->gridView();
    grid.setBeep([&beeps] { ++beeps; });
    auto typeInto = [&](const char* cell, std::initializer_list<Qt::Key> keys) {
        opened.window->grid().select(cell);
        grid.refresh();
        for (Qt::Key key : keys) Press(grid, key);
    };
    typeInto("G1", {Qt::Key_T, Qt::Key_R, Qt::Key_T, Qt::Key_4, Qt::Key_Return});
    QCOMPARE(beeps, 0);
    QCOMPARE(opened.window->grid().value("G1"), model::CellValue{std::string("trt4")});
    typeInto("G2", {Qt::Key_Minus, Qt::Key_2, Qt::Key_Period, Qt::Key_5, Qt::Key_Return});
    QCOMPARE(beeps, 0);
    QCOMPARE(opened.window->grid().value("G2"), model::CellValue{-2.5});
    typeInto("G3", {Qt::Key_X});
    QCOMPARE(beeps, 1);
    QVERIFY(model::IsEmpty(opened.window->grid().value("G3")));
}

void MultigroupWindowsTest::everyControlIsNamedAndTheDialogWorksByKeyboard() {
    OpenedMultigroupWindow opened;
    MultigroupSettingsDialog* dialog = opened.openSettings();
    QVERIFY(dialog);
    const QList<QWidget*> controls = opened.window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly) +
                                     dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    QVERIFY(controls.size() >= 4 + 8);
    for (QWidget* control : controls)
        QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));

    // Shown, the focus is on the first list; Tab walks the controls in the
    // order they read; the keys choose and confirm.
    QCOMPARE(dialog->focusWidget(), static_cast<QWidget*>(dialog->cboReference()));
    const QList<QWidget*> order{dialog->cboReference(), dialog->cboNormalControl(), dialog->chkUnequalVariances(),
                                dialog->chkExtended(), dialog->cmdSetting()};
    for (qsizetype i = 0; i + 1 < order.size(); ++i) {
        QWidget* next = order[i]->nextInFocusChain();
        while (next->focusPolicy() == Qt::NoFocus) next = next->nextInFocusChain();
        QCOMPARE(next, order[i + 1]);
    }
    QTest::keyClick(dialog->cboNormalControl(), Qt::Key_Down);
    QCOMPARE(dialog->cboNormalControl()->currentData().toString(), QStringLiteral("正常对照组"));
    QTest::keyClick(dialog->chkUnequalVariances(), Qt::Key_Space);
    QVERIFY(dialog->chkUnequalVariances()->isChecked());
    QTest::keyClick(dialog->cmdSetting(), Qt::Key_Space);
    QVERIFY(!dialog->isVisibleTo(opened.bench.area));
    QVERIFY(opened.window->isEnabled());
    QVERIFY(opened.window->currentOptions().at("alwaysUnequalVariances") == true);
}

TAVELMARK_QTEST_CLASS(MultigroupWindowsTest)
#include "test_multigroup_windows.moc"
