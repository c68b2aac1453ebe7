#include "desktop/ldk_compare/ldk_compare_desktop.h"

#include "analyses/ldk_compare/ldk_compare_registration.h"
#include "desktop/ldk_compare/ldk_compare_commands.h"
#include "desktop/ldk_compare/ldk_compare_window.h"

namespace tavelmark::ldk_compare::desktop {

const ui::DesktopAnalysis& Registration() {
    static const ui::DesktopAnalysis kLDkCompare{
        .analysis = ldk_compare::Registration(),
        .registerCommands = RegisterLDkCompareCommands,
        // Its entry mnuLDk is shown disabled; the command opens the window from code and files.
        .enabledMenuEntries = {},
        .showWindow = [](ui::Workbench& workbench) -> ui::DataEntryWindow* { return ShowLDkCompareWindow(workbench); },
    };
    return kLDkCompare;
}

}  // namespace tavelmark::ldk_compare::desktop
