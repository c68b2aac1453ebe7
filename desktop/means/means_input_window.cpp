#include "desktop/means/means_input_window.h"

#include <QPushButton>

#include "analyses/means/means_captions.h"
#include "analyses/means/means_options_codec.h"
#include "analyses/means/means_registration.h"
#include "analyses/means/means_template.h"
#include "analyses/means/run_means.h"
#include "desktop/means/means_commands.h"
#include "desktop/means/print_show_dialog.h"
#include "ui/grid_view.h"
#include "ui/qt_text.h"
#include "ui/settings_dialog.h"
#include "ui/twips_layout.h"

namespace tavelmark::means::desktop {

using ui::Calculation, ui::DataEntryDesign, ui::DataEntryWindow, ui::ToQString, ui::ToStdString, ui::Workbench;

namespace {

// The window's design, in twips.
constexpr double kButtonLeft = 3600, kButtonWidth = 1215, kButtonHeight = 495;
constexpr double kHelpTop = 1000, kSettingsTop = 2000, kCalculateTop = 3000;
constexpr double kClientWidth = 4950, kClientHeight = 5400;
// The grid ends 100 twips left of the buttons.
constexpr double kGridWidth = kButtonLeft - 100;

void LayOut(DataEntryWindow& w) {
    const ui::TwipsLayout twips(w);
    w.setFixedSize(twips.size(kClientWidth, kClientHeight));
    w.gridView()->setGeometry(twips.rect(0, 0, kGridWidth, kClientHeight));
    w.helpButton()->setGeometry(twips.rect(kButtonLeft, kHelpTop, kButtonWidth, kButtonHeight));
    w.settingsButton()->setGeometry(twips.rect(kButtonLeft, kSettingsTop, kButtonWidth, kButtonHeight));
    w.calculateButton()->setGeometry(twips.rect(kButtonLeft, kCalculateTop, kButtonWidth, kButtonHeight));
}

Calculation Calculate(DataEntryWindow& w) {
    Workbench& workbench = w.workbench();
    const MeansOptions options = ReadPrintShow(workbench);
    ui::HideSettings<PrintShowDialog>(workbench);
    return Calculation{RunMeans(w.grid(), options, workbench.prompter(), workbench.reportContext()), {}};
}

DataEntryDesign Design() {
    DataEntryDesign d(Registration());
    d.objectName = QStringLiteral("frmIntelDAveInput");
    d.caption = ToQString(kMeansWindowCaption);
    d.accessibleName = QStringLiteral("智能化两组均数分析数据录入窗口");
    d.keySet = model::GridKeySet::SignedDecimals;
    d.gridAccessibleName = QStringLiteral("T组与R组数据表");
    d.gridAccessibleDescription = QStringLiteral("A列T组, B列R组, 第2至301行");
    d.helpButton = {"Command2", "在线帮助", "本模块的示例、使用方法、参数意义等"};
    d.settingsButton = {"Command3", "参数设置", "对计算结果进行设置"};
    d.calculateButton = {"Command1", "计算", "按表中数据进行计算"};
    // The template is stored with the window: written once, kept while it is open.
    d.setUpGrid = [](model::InputGrid& grid) { WriteMeansTemplate(grid); };
    d.layOut = LayOut;
    d.calculate = Calculate;
    d.showSettings = [](DataEntryWindow& w) { ShowPrintShow(w.workbench()); };
    d.helpBox = [](DataEntryWindow& w) { return MeansHelpBox(ToStdString(w.caption())); };
    d.options = [](DataEntryWindow& w) {
        const PrintShowDialog* settings = FindPrintShow(w.workbench());
        return MeansOptionsToJson(settings ? settings->options() : MeansOptions{});
    };
    d.applyOptions = [](DataEntryWindow& w, const nlohmann::json& options) {
        LoadPrintShow(w.workbench())->setOptions(std::get<MeansOptions>(MeansOptionsFromJson(options)));
    };
    return d;
}

}  // namespace

MeansInputWindow::MeansInputWindow(Workbench& workbench, QWidget* parent)
    : DataEntryWindow(workbench, Design(), parent) {}

}  // namespace tavelmark::means::desktop

#include "moc_means_input_window.cpp"
