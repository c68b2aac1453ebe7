#include "analyses/rates/ui/rates_input_window.h"

#include "report/guarded_run.h"
#include "ui/mdi_windows.h"

#include <exception>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include "analyses/rates/rates_help.h"
#include "analyses/rates/rates_window.h"
#include "analyses/rates/run_rates.h"
#include "analyses/rates/ui/rates_commands.h"
#include "ui/command_button.h"
#include "ui/grid_view.h"
#include "ui/qt_text.h"
#include "ui/sheet_metrics.h"

namespace tavelmark::ui {

using rates::RatesHelpBox, rates::RatesOptions, rates::RunRates, rates::SetUpRatesGrid,
    rates::kRatesWindowCaption;
using report::MessageIcon, report::Prompter, report::ReportOutcome, report::RunGuarded;

namespace {

// The window's design, in twips: wide enough for the longest caption.
constexpr double kClientWidth = 5400;
constexpr double kGridMargin = 100;  // the grid is the window's width less this
constexpr double kButtonGap = 150, kButtonWidth = 1215, kButtonHeight = 495;
constexpr double kButtonLefts[] = {440, 2093, 3745};  // 在线帮助, 参数设置, 计算

}  // namespace

RatesInputWindow::RatesInputWindow(Workbench& workbench, QWidget* parent)
    : QWidget(parent), workbench_(workbench) {
    setObjectName(QStringLiteral("frmChiInput"));
    setWindowTitle(ToQString(kRatesWindowCaption));
    setAccessibleName(QStringLiteral("两组阳性率数据录入"));
    const double dpiX = logicalDpiX(), dpiY = logicalDpiY();
    auto x = [dpiX](double twips) { return TwipsToPixels(twips, dpiX); };
    auto y = [dpiY](double twips) { return TwipsToPixels(twips, dpiY); };

    SetUpRatesGrid(grid_);
    exlInput_ = new GridView(grid_, this);
    exlInput_->setObjectName(QStringLiteral("ExlInput"));
    exlInput_->setKeySet(model::GridKeySet::WholeNumbers);
    exlInput_->setToolTip(QStringLiteral("请在相应单元格(蓝线框)中录入原始数据！"));
    exlInput_->setAccessibleName(QStringLiteral("阳性数与阴性数四格表"));
    exlInput_->setAccessibleDescription(exlInput_->toolTip());
    const int gridHeight = exlInput_->sizeHint().height();
    exlInput_->setGeometry(0, 0, x(kClientWidth - kGridMargin), gridHeight);

    cmdHelp_ = MakeCommandButton(this, "cmdHelp", "在线帮助", "本模块的示例、使用方法、参数意义等");
    cmdSet_ = MakeCommandButton(this, "cmdSet", "参数设置", "对计算结果进行设置");
    cmdCal_ = MakeCommandButton(this, "cmdCal", "计算", "按表中数据进行计算");
    const int buttonTop = gridHeight + y(kButtonGap);
    QPushButton* buttons[] = {cmdHelp_, cmdSet_, cmdCal_};
    for (int i = 0; i < 3; ++i)
        buttons[i]->setGeometry(x(kButtonLefts[i]), buttonTop, x(kButtonWidth), y(kButtonHeight));
    setFixedSize(x(kClientWidth), buttonTop + y(kButtonHeight) + y(kButtonGap));

    connect(cmdCal_, &QPushButton::clicked, this, &RatesInputWindow::calculate);
    connect(cmdSet_, &QPushButton::clicked, this, &RatesInputWindow::openSettings);
    connect(cmdHelp_, &QPushButton::clicked, this, &RatesInputWindow::showHelp);
    setTabOrder(exlInput_, cmdHelp_);
    setTabOrder(cmdHelp_, cmdSet_);
    setTabOrder(cmdSet_, cmdCal_);
}

void RatesInputWindow::gridWritten() {
    exlInput_->refresh();
    exlInput_->resize(width() - TwipsToPixels(kGridMargin, logicalDpiX()), exlInput_->height());
    exlInput_->setFocus();
}

void RatesInputWindow::calculate() {
    exlInput_->commitPendingEdit();  // what is being typed counts
    RatesOptions options = ReadRatesSettings(workbench_);
    options.captionCommand = captionCommand_;
    Prompter& prompter = workbench_.prompter();
    ReportOutcome outcome =
        RunGuarded(prompter, [&] { return RunRates(grid_, options, prompter, workbench_.reportContext()); })
            .value_or(ReportOutcome{});
    exlInput_->refresh();
    if (outcome.workbook) {
        HideRatesSettings(workbench_);
        workbench_.showReport(std::move(*outcome.workbook));
    }
    if (outcome.refused) {
        // Back to the grid, where the count block is selected.
        ActivateFrameOf(this);
        exlInput_->setFocus();
    }
}

void RatesInputWindow::openSettings() {
    setEnabled(false);
    ShowRatesSettings(workbench_);
}

void RatesInputWindow::setCaptionCommand(rates::RatesMenuCommand command) {
    captionCommand_ = command;
    setWindowTitle(ToQString(rates::RatesWindowCaption(command)));
}

void RatesInputWindow::showHelp() {
    const auto help = RatesHelpBox(captionCommand_);
    workbench_.prompter().message(help.text, help.title, MessageIcon::None);
}

}  // namespace tavelmark::ui
