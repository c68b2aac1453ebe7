#include "desktop/ldk_compare/ldk_compare_commands.h"

#include "desktop/ldk_compare/ldk_compare_window.h"
#include "ui/mdi_windows.h"

namespace tavelmark::ldk_compare::desktop {

using ui::ActivateSubWindow, ui::AddFixedSubWindow, ui::FindSubWindow, ui::Workbench;

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

void RegisterLDkCompareCommands(ui::CommandTable& commands) {
    commands[QStringLiteral("mnuLDk")] = [](Workbench& workbench) { ShowLDkCompareWindow(workbench); };
}

}  // namespace tavelmark::ldk_compare::desktop
