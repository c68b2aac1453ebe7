// The data-entry windows' grids show the labels of their templates whole
// ("组别" of the Bliss window, never "…").
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <QTest>

#include "app/main_window.h"
#include "app/resource_dir.h"
#include "support/qtest_class.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"

using tavelmark::app::MainWindow;
namespace ui = tavelmark::ui;

class GridLabelsTest : public QObject {
    Q_OBJECT
private slots:
    void labelsFitTheirColumns_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("Bliss") << "mnuBliss";
        QTest::newRow("two-group means") << "mnuAverAna";
        QTest::newRow("two-group rates") << "mnuRateAna";
        QTest::newRow("LDk comparison") << "mnuLDk";
    }

    void labelsFitTheirColumns() {
        QFETCH(QString, command);
        MainWindow main(tavelmark::app::FindResourceDir());
        main.resize(1200, 900);
        main.show();
        if (!main.commands().count(command)) QSKIP("analysis not built");
        QVERIFY(main.runCommand(command));
        QMdiSubWindow* frame = main.mdiArea()->subWindowList().value(0);
        QVERIFY(frame);
        auto* grid = frame->widget()->findChild<ui::GridView*>();
        QVERIFY(grid);
        // A cell's text keeps this much room on each side, or the item
        // delegate shortens it with an ellipsis.
        const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
        const ui::GridModel& model = *grid->gridModel();
        int labels = 0;
        for (int row = 0; row < model.rowCount(); ++row)
            for (int column = 0; column < model.columnCount(); ++column) {
                const QModelIndex index = model.index(row, column);
                const QString text = index.data(Qt::DisplayRole).toString();
                const bool entryBox = index.data(ui::GridModel::BoxColourRole).isValid();
                if (text.isEmpty() || entryBox) continue;
                ++labels;
                const QFontMetrics metrics(index.data(Qt::FontRole).value<QFont>());
                const int needed = metrics.horizontalAdvance(text) + 2 * margin;
                QVERIFY2(grid->columnWidth(column) >= needed,
                         qPrintable(QStringLiteral("%1: %2 pixels for %3").arg(text).arg(grid->columnWidth(column)).arg(needed)));
            }
        QVERIFY(labels > 0);
        // For a person to look at the window: GRID_LABELS_SCREENSHOTS=folder.
        if (const QString folder = qEnvironmentVariable("GRID_LABELS_SCREENSHOTS"); !folder.isEmpty())
            QVERIFY(frame->grab().save(folder + "/" + command + ".png"));
    }
};

TAVELMARK_QTEST_CLASS(GridLabelsTest)
#include "test_grid_labels.moc"
