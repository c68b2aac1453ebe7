#include "analyses/ldk_compare/ui/ldk_compare_commands.h"

#include "analyses/ldk_compare/ui/ldk_compare_window.h"
#include "ui/mdi_windows.h"

namespace tavelmark::ui {

LDkCompareWindow* ShowLDkCompareWindow(Workbench& workbench) {
    QMdiArea* area = workbench.mdiArea();
    auto [holder, window] = FindSubWindow<LDkCompareWindow>(area);
    if (!window) {
        window = new LDkCompareWindow(workbench);
        holder = AddFixedSubWindow(area, window);
    }
    ActivateSubWindow(area, holder);
    window->writeTemplate();
    return window;
}

void RegisterLDkCompareCommands(CommandTable& commands) {
    commands[QStringLiteral("mnuLDk")] = [](Workbench& workbench) { ShowLDkCompareWindow(workbench); };
}

}  // namespace tavelmark::ui
