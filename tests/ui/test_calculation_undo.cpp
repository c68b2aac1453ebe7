// A calculation that changes the user's data on the user's word (the means
// analysis deleting an outlier) leaves that change in the grid's undo
// history: Ctrl+Z brings the raw value back.
#include <QPushButton>
#include <QTest>
#include <QUndoStack>

#include "analyses/means/means_registration.h"
#include "analyses/means/means_template.h"
#include "analyses/means/run_means.h"
#include "grid_fixture.h"
#include "support/fake_workbench.h"
#include "support/qtest_class.h"
#include "ui/data_entry_window.h"
#include "ui/grid_view.h"

using namespace tavelmark;

namespace {

// A data-entry window on the means analysis's own grid and calculation.
ui::DataEntryDesign MeansDesign() {
    ui::DataEntryDesign design(means::Registration());
    design.objectName = QStringLiteral("frmIntelDAveInput");
    design.caption = QStringLiteral("智能化两组均数分析数据录入");
    design.keySet = model::GridKeySet::SignedDecimals;
    design.helpButton = {"Command2", "在线帮助", ""};
    design.settingsButton = {"Command3", "参数设置", ""};
    design.calculateButton = {"Command1", "计算", ""};
    design.setUpGrid = means::WriteMeansTemplate;
    design.calculate = [](ui::DataEntryWindow& window) {
        ui::Workbench& bench = window.workbench();
        return ui::Calculation{
            means::RunMeans(window.grid(), means::MeansOptions{}, bench.prompter(), bench.reportContext()), {}};
    };
    return design;
}

std::vector<double> ColumnB(const model::InputGrid& grid, int from, int to) {
    std::vector<double> values;
    for (int row = from; row <= to; ++row) {
        const auto* v = std::get_if<double>(&grid.value(model::CellRef{row, 2}));
        values.push_back(v ? *v : -1);  // -1 marks an empty cell
    }
    return values;
}

}  // namespace

class CalculationUndoTest : public QObject {
    Q_OBJECT
private slots:
    void deletedOutlierComesBackWithCtrlZ();
    void aCalculationThatChangesNothingAddsNoStep();
};

void CalculationUndoTest::deletedOutlierComesBackWithCtrlZ() {
    test::FakeWorkbench bench;
    auto* window = new ui::DataEntryWindow(bench, MeansDesign());
    bench.area->addSubWindow(window)->show();
    window->gridWritten();
    ui::GridView& view = *window->gridView();
    // R's example column from B9: 59 (the outlier), 25, 33, 38, 28, 46, 51, 36.
    const std::vector<double> before = {59, 25, 33, 38, 28, 46, 51, 36};
    QCOMPARE(ColumnB(window->grid(), 9, 16), before);

    bench.recorder.answers = {true};
    QTest::mouseClick(window->calculateButton(), Qt::LeftButton);
    QVERIFY(bench.reports.empty());
    const std::vector<double> moved = {25, 33, 38, 28, 46, 51, 36, -1};
    QCOMPARE(ColumnB(window->grid(), 9, 16), moved);
    QVERIFY(view.undoStack()->canUndo());

    view.setFocus();
    test::TypeKey(view, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(ColumnB(window->grid(), 9, 16), before);
    QCOMPARE(view.gridModel()->indexOf(model::Cell("B9")).data().toString(), QStringLiteral("59"));
    test::TypeKey(view, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(ColumnB(window->grid(), 9, 16), moved);
    test::TypeKey(view, Qt::Key_Z, Qt::ControlModifier);

    // The value back, the next calculation counts it again.
    bench.recorder.answers = {false};
    QTest::mouseClick(window->calculateButton(), Qt::LeftButton);
    QCOMPARE(bench.reports.size(), std::size_t{1});
    QCOMPARE(bench.reports.front().activeSheet().value("C8"), model::ReportValue{15.0});
}

void CalculationUndoTest::aCalculationThatChangesNothingAddsNoStep() {
    test::FakeWorkbench bench;
    auto* window = new ui::DataEntryWindow(bench, MeansDesign());
    bench.area->addSubWindow(window)->show();
    window->gridWritten();
    bench.recorder.answers = {false};
    QTest::mouseClick(window->calculateButton(), Qt::LeftButton);
    QCOMPARE(bench.reports.size(), std::size_t{1});
    QCOMPARE(window->gridView()->undoStack()->count(), 0);
}

TAVELMARK_QTEST_CLASS(CalculationUndoTest)
#include "test_calculation_undo.moc"
