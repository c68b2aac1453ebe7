#include "desktop/rates/rates_input_window.h"

#include <QCheckBox>
#include <QPushButton>

#include "analyses/rates/rates_help.h"
#include "analyses/rates/rates_options_codec.h"
#include "analyses/rates/rates_registration.h"
#include "analyses/rates/rates_window.h"
#include "analyses/rates/run_rates.h"
#include "desktop/rates/rates_commands.h"
#include "desktop/rates/rates_settings_dialog.h"
#include "ui/grid_view.h"
#include "ui/qt_text.h"
#include "ui/settings_dialog.h"
#include "ui/twips_layout.h"

namespace tavelmark::rates::desktop {

using ui::Calculation, ui::DataEntryDesign, ui::DataEntryWindow, ui::ToQString, ui::Workbench;

namespace {

// The window's design, in twips: wide enough for the longest caption.
constexpr double kClientWidth = 5400;
constexpr double kGridMargin = 100;  // the grid is the window's width less this
constexpr double kButtonGap = 150, kButtonWidth = 1215, kButtonHeight = 495;
constexpr double kButtonLefts[] = {440, 2093, 3745};  // 在线帮助, 参数设置, 计算

void LayOut(DataEntryWindow& w) {
    const ui::TwipsLayout twips(w);
    const int gridHeight = w.gridView()->sizeHint().height();
    w.gridView()->setGeometry(0, 0, twips.x(kClientWidth - kGridMargin), gridHeight);
    const int buttonTop = gridHeight + twips.y(kButtonGap);
    QPushButton* buttons[] = {w.helpButton(), w.settingsButton(), w.calculateButton()};
    for (int i = 0; i < 3; ++i)
        buttons[i]->setGeometry(twips.x(kButtonLefts[i]), buttonTop, twips.x(kButtonWidth), twips.y(kButtonHeight));
    w.setFixedSize(twips.x(kClientWidth), buttonTop + twips.y(kButtonHeight) + twips.y(kButtonGap));
}

rates::RatesMenuCommand CaptionCommandOf(DataEntryWindow& w) {
    return static_cast<RatesInputWindow&>(w).captionCommand();
}

DataEntryDesign Design() {
    DataEntryDesign d(Registration());
    d.objectName = QStringLiteral("frmChiInput");
    d.caption = ToQString(rates::kRatesWindowCaption);
    d.accessibleName = QStringLiteral("两组阳性率数据录入");
    d.keySet = model::GridKeySet::WholeNumbers;
    d.gridToolTip = QStringLiteral("请在相应单元格(蓝线框)中录入原始数据！");
    d.gridAccessibleName = QStringLiteral("阳性数与阴性数四格表");
    d.helpButton = {"cmdHelp", "在线帮助", "本模块的示例、使用方法、参数意义等"};
    d.settingsButton = {"cmdSet", "参数设置", "对计算结果进行设置"};
    d.calculateButton = {"cmdCal", "计算", "按表中数据进行计算"};
    d.gridMarginTwips = kGridMargin;
    d.setUpGrid = SetUpRatesGrid;
    d.layOut = LayOut;
    d.calculate = [](DataEntryWindow& w) {
        Workbench& workbench = w.workbench();
        RatesOptions options = ReadRatesSettings(workbench);
        options.captionCommand = CaptionCommandOf(w);
        ui::HideSettings<RatesSettingsDialog>(workbench);
        return Calculation{RunRates(w.grid(), options, workbench.prompter(), workbench.reportContext()), {}};
    };
    d.showSettings = [](DataEntryWindow& w) { ShowRatesSettings(w.workbench()); };
    d.helpBox = [](DataEntryWindow& w) -> std::optional<report::HelpBox> {
        return RatesHelpBox(CaptionCommandOf(w));
    };
    d.options = [](DataEntryWindow& w) {
        RatesOptions options = ReadRatesSettings(w.workbench());
        options.captionCommand = CaptionCommandOf(w);
        return RatesOptionsToJson(options);
    };
    d.applyOptions = [](DataEntryWindow& w, const nlohmann::json& json) {
        const RatesOptions options = std::get<RatesOptions>(RatesOptionsFromJson(json));
        RatesSettingsDialog* settings = LoadRatesSettings(w.workbench());
        for (int i = RatesOptions::kFirstOptionalItem; i <= RatesOptions::kLastItem; ++i)
            settings->setItemChecked(i, options.item(i));
        settings->chkExtended()->setChecked(options.extended);
        static_cast<RatesInputWindow&>(w).setCaptionCommand(options.captionCommand);
    };
    return d;
}

}  // namespace

RatesInputWindow::RatesInputWindow(Workbench& workbench, QWidget* parent)
    : DataEntryWindow(workbench, Design(), parent) {}

void RatesInputWindow::setCaptionCommand(rates::RatesMenuCommand command) {
    captionCommand_ = command;
    setWindowTitle(ToQString(rates::RatesWindowCaption(command)));
}

}  // namespace tavelmark::rates::desktop

#include "moc_rates_input_window.cpp"
