#include "analyses/ldk_compare/ui/ldk_compare_window.h"

#include "report/guarded_run.h"
#include "ui/mdi_windows.h"

#include <exception>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include "analyses/ldk_compare/ldk_compare.h"
#include "ui/command_button.h"
#include "ui/grid_view.h"
#include "ui/sheet_metrics.h"

namespace tavelmark::ui {

using ldk_compare::LDkCompareHelpBox, ldk_compare::LoadLDkCompareWorkbook,
    ldk_compare::RunLDkCompare, ldk_compare::WriteLDkCompareTemplate;
using report::HelpBox, report::MessageIcon, report::Prompter, report::ReportOutcome,
    report::RunGuarded;

namespace {

// The window's design, in twips.
constexpr double kClientWidth = 4650, kClientHeight = 4035;
constexpr double kGridWidth = 4485, kGridHeight = 3105;
constexpr double kButtonTop = 3360, kButtonWidth = 1215, kButtonHeight = 495;
constexpr double kHelpLeft = 480, kCalculateLeft = 3000;

}  // namespace

LDkCompareWindow::LDkCompareWindow(Workbench& workbench, QWidget* parent)
    : QWidget(parent), workbench_(workbench) {
    setObjectName(QStringLiteral("frmLDkInput"));
    setWindowTitle(QStringLiteral("LDk两两比较数据录入"));
    setAccessibleName(windowTitle());
    const double dpiX = logicalDpiX(), dpiY = logicalDpiY();
    auto x = [dpiX](double twips) { return TwipsToPixels(twips, dpiX); };
    auto y = [dpiY](double twips) { return TwipsToPixels(twips, dpiY); };
    setFixedSize(x(kClientWidth), y(kClientHeight));

    LoadLDkCompareWorkbook(grid_);
    exlInput_ = new GridView(grid_, this);
    exlInput_->setObjectName(QStringLiteral("ExlInput"));
    exlInput_->setKeySet(model::GridKeySet::Decimals);
    exlInput_->setToolTip(QStringLiteral("请在相应单元格(蓝线框)中录入原始数据！"));
    exlInput_->setAccessibleName(QStringLiteral("LD50与L95数据表"));
    exlInput_->setAccessibleDescription(exlInput_->toolTip());
    exlInput_->setGeometry(0, 0, x(kGridWidth), y(kGridHeight));

    cmdHelp_ = MakeCommandButton(this, "cmdHelp", "在线帮助", "本模块的示例、使用方法、参数意义等");
    cmdHelp_->setGeometry(x(kHelpLeft), y(kButtonTop), x(kButtonWidth), y(kButtonHeight));

    cmdCal_ = MakeCommandButton(this, "cmdCal", "计算", "按表中数据进行计算");
    cmdCal_->setGeometry(x(kCalculateLeft), y(kButtonTop), x(kButtonWidth), y(kButtonHeight));

    connect(cmdCal_, &QPushButton::clicked, this, &LDkCompareWindow::calculate);
    connect(cmdHelp_, &QPushButton::clicked, this, &LDkCompareWindow::showHelp);
    setTabOrder(exlInput_, cmdHelp_);
    setTabOrder(cmdHelp_, cmdCal_);
}

void LDkCompareWindow::writeTemplate() {
    WriteLDkCompareTemplate(grid_);
    exlInput_->resize(width() - TwipsToPixels(50, logicalDpiX()), exlInput_->height());
    exlInput_->setFocus();
}

void LDkCompareWindow::calculate() {
    exlInput_->commitPendingEdit();  // what is being typed counts
    Prompter& prompter = workbench_.prompter();
    ReportOutcome outcome =
        RunGuarded(prompter, [&] { return RunLDkCompare(grid_, prompter, workbench_.reportContext()); })
            .value_or(ReportOutcome{});
    exlInput_->refresh();
    if (outcome.workbook) workbench_.showReport(std::move(*outcome.workbook));
    if (outcome.refused) {
        // Back to the grid, where the offending cell is selected.
        ActivateFrameOf(this);
        exlInput_->setFocus();
    }
}

void LDkCompareWindow::showHelp() {
    const HelpBox help = LDkCompareHelpBox();
    workbench_.prompter().message(help.text, help.title, MessageIcon::None);
}

}  // namespace tavelmark::ui
