#include "app/analysis_commands.h"

#include <functional>

#include "documents/analysis_document.h"
#include "ui/data_entry_window.h"
#include "ui/mdi_windows.h"
#include "ui/qt_text.h"

#ifdef TAVELMARK_WITH_BLISS_UI
#include "analyses/bliss/ui/bliss_commands.h"
#include "analyses/bliss/ui/bliss_input_window.h"
#endif
#ifdef TAVELMARK_WITH_MEANS_UI
#include "analyses/means/ui/means_commands.h"
#include "analyses/means/ui/means_input_window.h"
#endif
#ifdef TAVELMARK_WITH_RATES_UI
#include "analyses/rates/ui/rates_commands.h"
#include "analyses/rates/ui/rates_input_window.h"
#endif
#ifdef TAVELMARK_WITH_LDK_COMPARE_UI
#include "analyses/ldk_compare/ui/ldk_compare_commands.h"
#include "analyses/ldk_compare/ui/ldk_compare_window.h"
#endif

namespace tavelmark::app {

namespace {

// The open window of the analysis, asked about its changes; or a new one
// as its menu command shows it. Null when the user cancels.
template <class Window>
ui::DataEntryWindow* WindowFor(ui::Workbench& workbench, const std::function<ui::DataEntryWindow*()>& show) {
    auto [holder, open] = ui::FindSubWindow<Window>(workbench.mdiArea());
    if (!open) return show();
    ui::ActivateSubWindow(workbench.mdiArea(), holder);
    return open->confirmDiscard() ? open : nullptr;
}

ui::DataEntryWindow* WindowOf([[maybe_unused]] ui::Workbench& workbench, documents::AnalysisKind kind) {
    switch (kind) {
#ifdef TAVELMARK_WITH_BLISS_UI
        case documents::AnalysisKind::Bliss:
            return WindowFor<ui::BlissInputWindow>(workbench, [&] { return ui::ShowBlissInputWindow(workbench); });
#endif
#ifdef TAVELMARK_WITH_MEANS_UI
        case documents::AnalysisKind::Means:
            return WindowFor<ui::MeansInputWindow>(
                workbench, [&] { return ui::ShowMeansInputWindow(workbench, means::MeansMenuEntry::ItelAna); });
#endif
#ifdef TAVELMARK_WITH_RATES_UI
        case documents::AnalysisKind::Rates:
            return WindowFor<ui::RatesInputWindow>(
                workbench, [&] { return ui::ShowRatesInputWindow(workbench, rates::RatesMenuCommand::RateAna); });
#endif
#ifdef TAVELMARK_WITH_LDK_COMPARE_UI
        case documents::AnalysisKind::LDkCompare:
            return WindowFor<ui::LDkCompareWindow>(workbench, [&] { return ui::ShowLDkCompareWindow(workbench); });
#endif
        default: return nullptr;
    }
}

}  // namespace

bool OpenAnalysisFile(ui::Workbench& workbench, const QString& path) {
    // Read once to learn the analysis; the window reads it again for itself.
    const documents::ReadResult read = documents::LoadAnalysisFile(ui::ToStdString(path), std::nullopt);
    if (!read.document) {
        workbench.prompter().message(read.error, "打开数据", report::MessageIcon::Critical);
        return false;
    }
    ui::DataEntryWindow* window = WindowOf(workbench, read.document->kind);
    return window && window->openFile(path);
}

void RegisterAnalysisCommands([[maybe_unused]] ui::CommandTable& table) {
#ifdef TAVELMARK_WITH_BLISS_UI
    ui::RegisterBlissCommands(table);
#endif
#ifdef TAVELMARK_WITH_MEANS_UI
    ui::RegisterMeansCommands(table);
#endif
#ifdef TAVELMARK_WITH_RATES_UI
    ui::RegisterRatesCommands(table);
#endif
#ifdef TAVELMARK_WITH_LDK_COMPARE_UI
    ui::RegisterLDkCompareCommands(table);
#endif
}

}  // namespace tavelmark::app
