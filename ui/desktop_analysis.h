#pragma once
// An analysis as the desktop program knows it, beside its core registration:
// the commands of its menu entries, which of those entries it enables, and
// its data-entry window as its first command shows it. Each analysis defines
// its record in desktop/<name>/; the desktop program reads them from the one
// list of analyses (desktop/desktop_list.h).
#include <functional>
#include <span>
#include <vector>

#include <QString>

#include "report/analysis_registration.h"
#include "ui/workbench.h"

namespace tavelmark::ui {

class DataEntryWindow;

struct DesktopAnalysis {
    const report::AnalysisRegistration& analysis;
    // Adds the commands of its menu entries, by the entries' object names.
    std::function<void(CommandTable&)> registerCommands;
    // The entries it makes usable; the menu shows its other entries disabled
    // (some of their commands are still called from code).
    std::vector<QString> enabledMenuEntries;
    // Its data-entry window as its first menu command shows it (found when
    // open, created with its template otherwise): where a file opens.
    std::function<DataEntryWindow*(Workbench&)> showWindow;
};

using DesktopCatalogue = std::span<const DesktopAnalysis* const>;

}  // namespace tavelmark::ui
