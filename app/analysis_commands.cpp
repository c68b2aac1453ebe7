#include "app/analysis_commands.h"

#include "desktop/desktop_list.h"
#include "documents/analysis_document.h"
#include "ui/data_entry_window.h"
#include "ui/mdi_windows.h"
#include "ui/qt_text.h"

namespace tavelmark::app {

namespace {

// The open window of the analysis, asked about its changes; or a new one
// as its menu command shows it. Null when the user cancels.
ui::DataEntryWindow* WindowFor(ui::Workbench& workbench, const ui::DesktopAnalysis& analysis) {
    auto [holder, open] = ui::FindDataEntryWindow(workbench.mdiArea(), analysis.analysis.name);
    if (!open) return analysis.showWindow(workbench);
    ui::ActivateSubWindow(workbench.mdiArea(), holder);
    return open->confirmDiscard() ? open : nullptr;
}

}  // namespace

bool OpenAnalysisFile(ui::Workbench& workbench, const QString& path) {
    // Read once to learn the analysis; the window reads it again for itself.
    const documents::ReadResult read = documents::LoadAnalysisFile(ui::ToStdString(path), workbench.analyses());
    if (!read.document) {
        workbench.prompter().message(read.error, "打开数据", report::MessageIcon::Critical);
        return false;
    }
    for (const ui::DesktopAnalysis* analysis : desktop::DesktopAnalyses())
        if (analysis->analysis.name == read.document->analysis) {
            ui::DataEntryWindow* window = WindowFor(workbench, *analysis);
            return window && window->openFile(path);
        }
    return false;
}

void RegisterAnalysisCommands(ui::CommandTable& table, const std::map<QString, QAction*>& actions) {
    for (const ui::DesktopAnalysis* analysis : desktop::DesktopAnalyses()) {
        analysis->registerCommands(table);
        for (const QString& entry : analysis->enabledMenuEntries)
            if (const auto action = actions.find(entry); action != actions.end()) action->second->setEnabled(true);
    }
}

}  // namespace tavelmark::app
