#include "analyses/means/ui/means_input_window.h"

#include "report/guarded_run.h"
#include "ui/mdi_windows.h"

#include <exception>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include "analyses/means/means_captions.h"
#include "analyses/means/means_template.h"
#include "analyses/means/run_means.h"
#include "analyses/means/ui/means_commands.h"
#include "ui/command_button.h"
#include "ui/grid_view.h"
#include "ui/qt_text.h"
#include "ui/sheet_metrics.h"

namespace tavelmark::ui {

using means::MeansHelpBox, means::MeansOptions, means::RunMeans, means::WriteMeansTemplate,
    means::kMeansWindowCaption;
using report::MessageIcon, report::Prompter, report::ReportOutcome, report::RunGuarded;

namespace {

// The window's design, in twips.
constexpr double kButtonLeft = 3600, kButtonWidth = 1215, kButtonHeight = 495;
constexpr double kHelpTop = 1000, kSettingsTop = 2000, kCalculateTop = 3000;
constexpr double kClientWidth = 4950, kClientHeight = 5400;
// The grid ends 100 twips left of the buttons.
constexpr double kGridWidth = kButtonLeft - 100;

}  // namespace

MeansInputWindow::MeansInputWindow(Workbench& workbench, QWidget* parent)
    : QWidget(parent), workbench_(workbench) {
    setObjectName(QStringLiteral("frmIntelDAveInput"));
    setWindowTitle(ToQString(kMeansWindowCaption));
    setAccessibleName(QStringLiteral("智能化两组均数分析数据录入窗口"));
    const double dpiX = logicalDpiX(), dpiY = logicalDpiY();
    auto x = [dpiX](double twips) { return TwipsToPixels(twips, dpiX); };
    auto y = [dpiY](double twips) { return TwipsToPixels(twips, dpiY); };
    setFixedSize(x(kClientWidth), y(kClientHeight));

    // The template is stored with the window: written once, kept while it is open.
    WriteMeansTemplate(grid_);
    exlInput_ = new GridView(grid_, this);
    exlInput_->setObjectName(QStringLiteral("ExlInput"));
    exlInput_->setKeySet(model::GridKeySet::SignedDecimals);
    exlInput_->setAccessibleName(QStringLiteral("T组与R组数据表"));
    exlInput_->setAccessibleDescription(QStringLiteral("A列T组, B列R组, 第2至301行"));
    exlInput_->setGeometry(0, 0, x(kGridWidth), y(kClientHeight));

    command2_ = MakeCommandButton(this, "Command2", "在线帮助", "本模块的示例、使用方法、参数意义等");
    command2_->setGeometry(x(kButtonLeft), y(kHelpTop), x(kButtonWidth), y(kButtonHeight));
    command3_ = MakeCommandButton(this, "Command3", "参数设置", "对计算结果进行设置");
    command3_->setGeometry(x(kButtonLeft), y(kSettingsTop), x(kButtonWidth), y(kButtonHeight));
    command1_ = MakeCommandButton(this, "Command1", "计算", "按表中数据进行计算");
    command1_->setGeometry(x(kButtonLeft), y(kCalculateTop), x(kButtonWidth), y(kButtonHeight));

    connect(command1_, &QPushButton::clicked, this, &MeansInputWindow::calculate);
    connect(command2_, &QPushButton::clicked, this, &MeansInputWindow::showHelp);
    connect(command3_, &QPushButton::clicked, this, &MeansInputWindow::showSettings);
    setTabOrder(exlInput_, command2_);
    setTabOrder(command2_, command3_);
    setTabOrder(command3_, command1_);
}

void MeansInputWindow::calculate() {
    exlInput_->commitPendingEdit();  // what is being typed counts
    Prompter& prompter = workbench_.prompter();
    const MeansOptions options = ReadPrintShow(workbench_);
    ReportOutcome outcome =
        RunGuarded(prompter, [&] { return RunMeans(grid_, options, prompter, workbench_.reportContext()); })
            .value_or(ReportOutcome{});
    // The grid may hold a selected bad cell or a column moved up after a deletion.
    exlInput_->refresh();
    if (outcome.workbook) {
        HidePrintShow(workbench_);
        workbench_.showReport(std::move(*outcome.workbook));
        return;
    }
    // Back to the grid, where the offending cell (or the deleted value's row) is selected.
    setEnabled(true);
    ActivateFrameOf(this);
    exlInput_->setFocus();
}

void MeansInputWindow::showHelp() {
    if (const auto help = MeansHelpBox(ToStdString(windowTitle())))
        workbench_.prompter().message(help->text, help->title, MessageIcon::None);
}

void MeansInputWindow::showSettings() { ShowPrintShow(workbench_); }

}  // namespace tavelmark::ui
