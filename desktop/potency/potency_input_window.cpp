#include "desktop/potency/potency_input_window.h"

#include <algorithm>

#include <QPushButton>
#include <QScrollBar>

#include "analyses/potency/potency_data.h"
#include "analyses/potency/potency_options_codec.h"
#include "analyses/potency/potency_registration.h"
#include "analyses/potency/potency_template.h"
#include "analyses/potency/run_potency.h"
#include "desktop/potency/potency_commands.h"
#include "desktop/potency/potency_settings_dialog.h"
#include "ui/grid_view.h"
#include "ui/settings_dialog.h"
#include "ui/twips_layout.h"

namespace tavelmark::potency::desktop {

using ui::Calculation, ui::DataEntryDesign, ui::DataEntryWindow, ui::Workbench;

namespace {

// The window's design, in twips: the grid shows about twenty rows and
// scrolls to the rest; the three buttons sit in a row below it.
constexpr double kGridHeight = 5760;
constexpr double kMargin = 120, kButtonWidth = 1215, kButtonHeight = 495;
constexpr double kGridMargin = 100;  // the grid is the window's width less this

void LayOut(DataEntryWindow& w) {
    const ui::TwipsLayout twips(w);
    const int gridWidth = w.gridView()->sizeHint().width() + w.gridView()->verticalScrollBar()->sizeHint().width();
    const int width = std::max(gridWidth + twips.x(kGridMargin), twips.x(3 * kButtonWidth + 4 * kMargin));
    const int gridHeight = twips.y(kGridHeight);
    w.gridView()->setGeometry(0, 0, width - twips.x(kGridMargin), gridHeight);
    const int buttonTop = gridHeight + twips.y(kMargin);
    const int buttonWidth = twips.x(kButtonWidth);
    const int gap = (width - 3 * buttonWidth) / 4;
    QPushButton* row[] = {w.helpButton(), w.settingsButton(), w.calculateButton()};
    for (int i = 0; i < 3; ++i)
        row[i]->setGeometry(gap + i * (buttonWidth + gap), buttonTop, buttonWidth, twips.y(kButtonHeight));
    w.setFixedSize(width, buttonTop + twips.y(kButtonHeight) + twips.y(kMargin));
}

Calculation Calculate(DataEntryWindow& w) {
    Workbench& workbench = w.workbench();
    const PotencyOptions options = ReadPotencySettings(workbench);
    ui::HideSettings<PotencySettingsDialog>(workbench);
    return Calculation{RunPotency(w.grid(), options, workbench.prompter(), workbench.reportContext()), {}};
}

DataEntryDesign Design() {
    DataEntryDesign d(Registration());
    d.objectName = QStringLiteral("frmPotencyInput");
    d.caption = QStringLiteral("半数量斜率两两对比数据录入");
    d.keySet = model::GridKeySet::Decimals;
    d.textColumns = {kNameColumn};
    d.gridToolTip = QStringLiteral("请在相应单元格(蓝线框)中录入原始数据！");
    d.gridAccessibleName = QStringLiteral("各制剂的剂量、例数与阳性数");
    d.gridAccessibleDescription =
        QStringLiteral("A列制剂名称(只填在各制剂的第一组), B列剂量, C列例数, D列阳性数; 第2至161行, 剂量为0的行为对照组");
    d.helpButton = {"cmdHelp", "在线帮助", "本模块的示例、使用方法、参数意义等"};
    d.settingsButton = {"cmdSet", "参数设置", "对剂量反应模型、自然反应率、参比制剂、其他LDk进行设置"};
    d.calculateButton = {"cmdCal", "计算", "按表中数据进行计算"};
    d.gridMarginTwips = kGridMargin;
    // The worked example is stored with the window: written when it is
    // created, kept while it is open.
    d.setUpGrid = [](model::InputGrid& grid) { WritePotencyTemplate(grid); };
    d.layOut = LayOut;
    d.calculate = Calculate;
    d.showSettings = [](DataEntryWindow& w) { ShowPotencySettings(w.workbench()); };
    d.helpBox = [](DataEntryWindow&) -> std::optional<report::HelpBox> { return PotencyHelpBox(); };
    d.options = [](DataEntryWindow& w) { return PotencyOptionsToJson(ReadPotencySettings(w.workbench())); };
    d.applyOptions = [](DataEntryWindow& w, const nlohmann::json& options) {
        LoadPotencySettings(w.workbench())->setOptions(std::get<PotencyOptions>(PotencyOptionsFromJson(options)));
    };
    return d;
}

}  // namespace

PotencyInputWindow::PotencyInputWindow(Workbench& workbench, QWidget* parent)
    : DataEntryWindow(workbench, Design(), parent) {}

}  // namespace tavelmark::potency::desktop

#include "moc_potency_input_window.cpp"
