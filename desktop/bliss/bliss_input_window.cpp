#include "desktop/bliss/bliss_input_window.h"

#include <algorithm>

#include <QMdiSubWindow>
#include <QPushButton>

#include "analyses/bliss/bliss_options_codec.h"
#include "analyses/bliss/bliss_registration.h"
#include "analyses/bliss/bliss_template.h"
#include "analyses/bliss/run_bliss.h"
#include "desktop/bliss/bliss_commands.h"
#include "desktop/bliss/bliss_settings_dialog.h"
#include "ui/grid_view.h"
#include "ui/result_window.h"
#include "ui/twips_layout.h"

namespace tavelmark::bliss::desktop {

using ui::Calculation, ui::DataEntryDesign, ui::DataEntryWindow, ui::ResultWindow, ui::Workbench;

namespace {

// The window's design, in twips.
constexpr double kButtonWidth = 1215, kButtonHeight = 495, kMargin = 120;

void MinimizeFrameOf(QWidget* window) {
    if (auto* holder = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
        holder->showMinimized();
    else
        window->showMinimized();
}

// The grid shows its whole reach; the three buttons sit in a row below it.
void LayOut(DataEntryWindow& w) {
    const ui::TwipsLayout twips(w);
    const int margin = twips.x(kMargin);
    const int buttonWidth = twips.x(kButtonWidth);
    const int buttonHeight = twips.y(kButtonHeight);
    const QSize gridSize = w.gridView()->sizeHint();
    const int width = std::max(gridSize.width() + twips.x(100), 3 * buttonWidth + 4 * margin);
    const int buttonTop = gridSize.height() + margin;
    w.gridView()->setGeometry(0, 0, gridSize.width(), gridSize.height());
    const int gap = (width - 3 * buttonWidth) / 4;
    QPushButton* row[] = {w.helpButton(), w.settingsButton(), w.calculateButton()};
    for (int i = 0; i < 3; ++i)
        row[i]->setGeometry(gap + i * (buttonWidth + gap), buttonTop, buttonWidth, buttonHeight);
    w.setFixedSize(width, buttonTop + buttonHeight + margin);
}

Calculation Calculate(DataEntryWindow& w) {
    Workbench& workbench = w.workbench();
    BlissSettingsDialog* settings = FindBlissSettings(workbench);
    const BlissOptions options = settings ? settings->options() : BlissOptions{};
    ui::HideSettings<BlissSettingsDialog>(workbench);
    BlissOutcome outcome = RunBliss(w.grid(), options, workbench.prompter(), workbench.reportContext());
    Calculation done{std::move(outcome.report), {}};
    if (outcome.fit && options.openLDkCalculator) {
        // The calculator takes over: the report waits minimized behind it.
        done.afterShown = [&w, handOver = outcome.fit->handOver()](ResultWindow* report) {
            if (report) MinimizeFrameOf(report);
            w.setEnabled(false);
            ShowLDkCalculator(w.workbench(), handOver);
        };
    }
    return done;
}

DataEntryDesign Design() {
    DataEntryDesign d(Registration());
    d.objectName = QStringLiteral("frmBlissInput");
    d.caption = QStringLiteral("正规Bliss法(LD50计算)数据录入");
    d.keySet = model::GridKeySet::Decimals;
    d.gridToolTip = QStringLiteral("请在相应单元格(蓝线框)中录入原始数据！");
    d.gridAccessibleName = QStringLiteral("Bliss法(正规LD50计算)数据录入");
    d.helpButton = {"cmdHelp", "在线帮助", "本模块的示例、使用方法、参数意义等"};
    d.settingsButton = {"cmdSet", "参数设置", "对计算输出结果、本底死亡率进行设置"};
    d.calculateButton = {"cmdCal", "计算", "按表中数据进行计算"};
    // The grid's design (sheet, reach, widths) before the view measures it;
    // the menu command writes the template again right after.
    d.setUpGrid = [](model::InputGrid& grid) { WriteBlissTemplate(grid); };
    d.layOut = LayOut;
    d.calculate = Calculate;
    d.showSettings = [](DataEntryWindow& w) { ShowBlissSettings(w.workbench()); };
    d.helpBox = [](DataEntryWindow&) -> std::optional<report::HelpBox> { return BlissHelpBox(); };
    d.options = [](DataEntryWindow& w) {
        const BlissSettingsDialog* settings = FindBlissSettings(w.workbench());
        return BlissOptionsToJson(settings ? settings->options() : BlissOptions{});
    };
    d.applyOptions = [](DataEntryWindow& w, const nlohmann::json& options) {
        LoadBlissSettings(w.workbench())->setOptions(std::get<BlissOptions>(BlissOptionsFromJson(options)));
    };
    return d;
}

}  // namespace

BlissInputWindow::BlissInputWindow(Workbench& workbench, QWidget* parent)
    : DataEntryWindow(workbench, Design(), parent) {}

void BlissInputWindow::writeTemplate() {
    WriteBlissTemplate(grid());
    gridWritten();
}

}  // namespace tavelmark::bliss::desktop

#include "moc_bliss_input_window.cpp"
