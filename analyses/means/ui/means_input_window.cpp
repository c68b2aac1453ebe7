#include "analyses/means/ui/means_input_window.h"

#include <QPushButton>

#include "analyses/means/means_captions.h"
#include "analyses/means/means_template.h"
#include "analyses/means/run_means.h"
#include "analyses/means/ui/means_commands.h"
#include "analyses/means/ui/print_show_dialog.h"
#include "documents/analysis_options.h"
#include "ui/grid_view.h"
#include "ui/qt_text.h"
#include "ui/sheet_metrics.h"

namespace tavelmark::ui {

using means::MeansOptions, means::RunMeans, means::kMeansWindowCaption;

namespace {

// The window's design, in twips.
constexpr double kButtonLeft = 3600, kButtonWidth = 1215, kButtonHeight = 495;
constexpr double kHelpTop = 1000, kSettingsTop = 2000, kCalculateTop = 3000;
constexpr double kClientWidth = 4950, kClientHeight = 5400;
// The grid ends 100 twips left of the buttons.
constexpr double kGridWidth = kButtonLeft - 100;

void LayOut(DataEntryWindow& w) {
    const double dpiX = w.logicalDpiX(), dpiY = w.logicalDpiY();
    auto x = [dpiX](double twips) { return TwipsToPixels(twips, dpiX); };
    auto y = [dpiY](double twips) { return TwipsToPixels(twips, dpiY); };
    w.setFixedSize(x(kClientWidth), y(kClientHeight));
    w.gridView()->setGeometry(0, 0, x(kGridWidth), y(kClientHeight));
    w.helpButton()->setGeometry(x(kButtonLeft), y(kHelpTop), x(kButtonWidth), y(kButtonHeight));
    w.settingsButton()->setGeometry(x(kButtonLeft), y(kSettingsTop), x(kButtonWidth), y(kButtonHeight));
    w.calculateButton()->setGeometry(x(kButtonLeft), y(kCalculateTop), x(kButtonWidth), y(kButtonHeight));
}

Calculation Calculate(DataEntryWindow& w) {
    Workbench& workbench = w.workbench();
    const MeansOptions options = ReadPrintShow(workbench);
    Calculation done{RunMeans(w.grid(), options, workbench.prompter(), workbench.reportContext()), {}};
    done.afterShown = [&workbench](ResultWindow* report) {
        if (report) HidePrintShow(workbench);
    };
    return done;
}

DataEntryDesign Design() {
    DataEntryDesign d;
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
    d.setUpGrid = [](model::InputGrid& grid) { means::WriteMeansTemplate(grid); };
    d.layOut = LayOut;
    d.calculate = Calculate;
    d.showSettings = [](DataEntryWindow& w) { ShowPrintShow(w.workbench()); };
    d.helpBox = [](DataEntryWindow& w) { return means::MeansHelpBox(ToStdString(w.caption())); };
    d.kind = documents::AnalysisKind::Means;
    d.options = [](DataEntryWindow& w) {
        const PrintShowDialog* settings = FindPrintShow(w.workbench());
        return documents::OptionsJson(settings ? settings->options() : MeansOptions{});
    };
    d.applyOptions = [](DataEntryWindow& w, const nlohmann::json& options) {
        LoadPrintShow(w.workbench())->setOptions(documents::MeansOptionsFrom(options));
    };
    return d;
}

}  // namespace

MeansInputWindow::MeansInputWindow(Workbench& workbench, QWidget* parent)
    : DataEntryWindow(workbench, Design(), parent) {}

}  // namespace tavelmark::ui

#include "moc_means_input_window.cpp"
