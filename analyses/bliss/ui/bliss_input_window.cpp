#include "analyses/bliss/ui/bliss_input_window.h"

#include "report/guarded_run.h"
#include "ui/mdi_windows.h"

#include <algorithm>
#include <exception>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include "analyses/bliss/bliss_template.h"
#include "analyses/bliss/run_bliss.h"
#include "analyses/bliss/ui/bliss_commands.h"
#include "analyses/bliss/ui/bliss_settings_dialog.h"
#include "ui/command_button.h"
#include "ui/grid_view.h"
#include "ui/result_window.h"
#include "ui/sheet_metrics.h"

namespace tavelmark::ui {

using bliss::BlissHelpBox, bliss::BlissOptions, bliss::BlissOutcome, bliss::RunBliss,
    bliss::WriteBlissTemplate;
using report::HelpBox, report::MessageIcon, report::Prompter, report::RunGuarded;

namespace {

// The window's design, in twips.
constexpr double kButtonWidth = 1215, kButtonHeight = 495, kMargin = 120;

void MinimizeFrameOf(QWidget* window) {
    if (auto* holder = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
        holder->showMinimized();
    else
        window->showMinimized();
}

}  // namespace

BlissInputWindow::BlissInputWindow(Workbench& workbench, QWidget* parent)
    : QWidget(parent), workbench_(workbench) {
    setObjectName(QStringLiteral("frmBlissInput"));
    setWindowTitle(QStringLiteral("正规Bliss法(LD50计算)数据录入"));
    setAccessibleName(windowTitle());

    // The grid's design (sheet, reach, widths) before the view measures it;
    // the menu command writes the template again right after.
    WriteBlissTemplate(grid_);
    exlInput_ = new GridView(grid_, this);
    exlInput_->setObjectName(QStringLiteral("ExlInput"));
    exlInput_->setKeySet(model::GridKeySet::Decimals);
    exlInput_->setToolTip(QStringLiteral("请在相应单元格(蓝线框)中录入原始数据！"));
    exlInput_->setAccessibleName(QStringLiteral("Bliss法(正规LD50计算)数据录入"));
    exlInput_->setAccessibleDescription(exlInput_->toolTip());

    cmdHelp_ = MakeCommandButton(this, "cmdHelp", "在线帮助", "本模块的示例、使用方法、参数意义等");
    cmdSet_ = MakeCommandButton(this, "cmdSet", "参数设置", "对计算输出结果、本底死亡率进行设置");
    cmdCal_ = MakeCommandButton(this, "cmdCal", "计算", "按表中数据进行计算");

    // The grid shows its whole reach; the three buttons sit in a row below it.
    const double dpiX = logicalDpiX(), dpiY = logicalDpiY();
    const int margin = TwipsToPixels(kMargin, dpiX);
    const int buttonWidth = TwipsToPixels(kButtonWidth, dpiX);
    const int buttonHeight = TwipsToPixels(kButtonHeight, dpiY);
    const QSize gridSize = exlInput_->sizeHint();
    const int width = std::max(gridSize.width() + TwipsToPixels(100, dpiX), 3 * buttonWidth + 4 * margin);
    const int buttonTop = gridSize.height() + margin;
    exlInput_->setGeometry(0, 0, gridSize.width(), gridSize.height());
    const int gap = (width - 3 * buttonWidth) / 4;
    QPushButton* row[] = {cmdHelp_, cmdSet_, cmdCal_};
    for (int i = 0; i < 3; ++i)
        row[i]->setGeometry(gap + i * (buttonWidth + gap), buttonTop, buttonWidth, buttonHeight);
    setFixedSize(width, buttonTop + buttonHeight + margin);

    connect(cmdCal_, &QPushButton::clicked, this, &BlissInputWindow::calculate);
    connect(cmdSet_, &QPushButton::clicked, this, &BlissInputWindow::showSettings);
    connect(cmdHelp_, &QPushButton::clicked, this, &BlissInputWindow::showHelp);
    setTabOrder(exlInput_, cmdHelp_);
    setTabOrder(cmdHelp_, cmdSet_);
    setTabOrder(cmdSet_, cmdCal_);
}

void BlissInputWindow::writeTemplate() {
    WriteBlissTemplate(grid_);
    exlInput_->refresh();
    // The grid control as wide as the window less 100 twips.
    exlInput_->resize(width() - TwipsToPixels(100, logicalDpiX()), exlInput_->height());
    exlInput_->setFocus();
}

void BlissInputWindow::calculate() {
    exlInput_->commitPendingEdit();  // what is being typed counts
    BlissSettingsDialog* settings = FindBlissSettings(workbench_);
    const BlissOptions options = settings ? settings->options() : BlissOptions{};
    HideBlissSettings(workbench_);

    Prompter& prompter = workbench_.prompter();
    BlissOutcome outcome =
        RunGuarded(prompter, [&] { return RunBliss(grid_, options, prompter, workbench_.reportContext()); })
            .value_or(BlissOutcome{});
    exlInput_->refresh();
    ResultWindow* report = nullptr;
    if (outcome.report.workbook) report = workbench_.showReport(std::move(*outcome.report.workbook));
    if (outcome.fit && options.openLDkCalculator) {
        if (report) MinimizeFrameOf(report);
        setEnabled(false);
        ShowLDkCalculator(workbench_, outcome.fit->handOver());
        return;
    }
    // Back to the grid, where the offending cell is selected.
    if (outcome.report.refused) {
        ActivateFrameOf(this);
        exlInput_->setFocus();
    }
}

void BlissInputWindow::showSettings() {
    setEnabled(false);
    ShowBlissSettings(workbench_);
}

void BlissInputWindow::showHelp() {
    const HelpBox help = BlissHelpBox();
    workbench_.prompter().message(help.text, help.title, MessageIcon::None);
}

}  // namespace tavelmark::ui
