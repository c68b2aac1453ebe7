#include "ui/data_entry_window.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include "report/guarded_run.h"
#include "ui/command_button.h"
#include "ui/grid_view.h"
#include "ui/mdi_windows.h"
#include "ui/qt_text.h"
#include "ui/sheet_metrics.h"

namespace tavelmark::ui {

using report::MessageIcon, report::Prompter;

DataEntryWindow::DataEntryWindow(Workbench& workbench, DataEntryDesign design, QWidget* parent)
    : QWidget(parent), workbench_(workbench), design_(std::move(design)) {
    setObjectName(design_.objectName);
    setWindowTitle(design_.caption);
    setAccessibleName(design_.accessibleName.isEmpty() ? design_.caption : design_.accessibleName);

    if (design_.setUpGrid) design_.setUpGrid(grid_);
    gridView_ = new GridView(grid_, this);
    gridView_->setObjectName(QStringLiteral("ExlInput"));
    gridView_->setKeySet(design_.keySet);
    gridView_->setTextColumns(design_.textColumns);
    if (!design_.gridToolTip.isEmpty()) gridView_->setToolTip(design_.gridToolTip);
    gridView_->setAccessibleName(design_.gridAccessibleName);
    gridView_->setAccessibleDescription(design_.gridAccessibleDescription.isEmpty()
                                            ? design_.gridToolTip
                                            : design_.gridAccessibleDescription);

    auto make = [this](const ButtonDesign& b) -> QPushButton* {
        if (!b.objectName) return nullptr;
        return MakeCommandButton(this, b.objectName, b.caption, b.toolTip);
    };
    helpButton_ = make(design_.helpButton);
    settingsButton_ = make(design_.settingsButton);
    calculateButton_ = make(design_.calculateButton);
    if (design_.layOut) design_.layOut(*this);

    connect(calculateButton_, &QPushButton::clicked, this, &DataEntryWindow::calculate);
    connect(helpButton_, &QPushButton::clicked, this, &DataEntryWindow::showHelp);
    if (settingsButton_) connect(settingsButton_, &QPushButton::clicked, this, &DataEntryWindow::showSettings);
    // Grid, 在线帮助, 参数设置, 计算: the order the buttons read in.
    QWidget* previous = gridView_;
    for (QWidget* next : {static_cast<QWidget*>(helpButton_), static_cast<QWidget*>(settingsButton_),
                          static_cast<QWidget*>(calculateButton_)}) {
        if (!next) continue;
        setTabOrder(previous, next);
        previous = next;
    }
    setUpFileActions();
}

void DataEntryWindow::gridWritten() {
    gridView_->refresh();
    gridView_->resize(width() - TwipsToPixels(design_.gridMarginTwips, logicalDpiX()), gridView_->height());
    gridView_->setFocus();
    // A new window's template is where its changes are counted from; a
    // window holding a file counts from the file.
    if (filePath_.isEmpty()) saved_ = snapshot();
    updateTitle();
}

void DataEntryWindow::calculate() {
    gridView_->commitPendingEdit();  // what is being typed counts
    Prompter& prompter = workbench_.prompter();
    Calculation done;
    // An outlier deleted on the user's word can be taken back with Ctrl+Z.
    gridView_->recordChanges(
        [&] { done = report::RunGuarded(prompter, [&] { return design_.calculate(*this); }).value_or(Calculation{}); },
        QStringLiteral("计算时删除"));
    // The grid may hold a selected bad cell or a column moved up after a deletion.
    gridView_->refresh();
    ResultWindow* shown = nullptr;
    if (done.outcome.workbook) shown = workbench_.showReport(std::move(*done.outcome.workbook));
    if (done.afterShown) done.afterShown(shown);
    if (!isEnabled() && shown) return;  // another window took over (the LDk calculator)
    // Back to the grid, where the offending cell is selected, whenever the
    // calculation ended without its report.
    if (done.outcome.refused || !shown) {
        setEnabled(true);
        ActivateFrameOf(this);
        gridView_->setFocus();
    }
}

void DataEntryWindow::showSettings() {
    if (design_.showSettings) design_.showSettings(*this);
}

void DataEntryWindow::showHelp() {
    if (!design_.helpBox) return;
    if (const auto help = design_.helpBox(*this))
        workbench_.prompter().message(help->text, help->title, MessageIcon::None);
}

std::pair<QMdiSubWindow*, DataEntryWindow*> FindDataEntryWindow(QMdiArea* area, std::string_view analysis) {
    for (QMdiSubWindow* sub : area->subWindowList())
        if (auto* window = qobject_cast<DataEntryWindow*>(sub->widget()); window && window->analysis().name == analysis)
            return {sub, window};
    return {nullptr, nullptr};
}

}  // namespace tavelmark::ui

#include "moc_data_entry_window.cpp"
