#include "analyses/ldk_compare/ui/ldk_compare_commands.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "analyses/ldk_compare/ui/ldk_compare_window.h"

namespace tavelmark::ui {

LDkCompareWindow* ShowLDkCompareWindow(Workbench& workbench) {
    QMdiArea* area = workbench.mdiArea();
    QMdiSubWindow* holder = nullptr;
    LDkCompareWindow* window = nullptr;
    for (QMdiSubWindow* sub : area->subWindowList())
        if (auto* existing = qobject_cast<LDkCompareWindow*>(sub->widget())) {
            holder = sub;
            window = existing;
            break;
        }
    if (!window) {
        window = new LDkCompareWindow(workbench);
        // A fixed dialog frame: a title and the close box, no resizing.
        holder = area->addSubWindow(window, Qt::SubWindow | Qt::WindowTitleHint |
                                                Qt::WindowSystemMenuHint |
                                                Qt::WindowCloseButtonHint);
        holder->setAttribute(Qt::WA_DeleteOnClose);  // created anew on its next use
        holder->setWindowIcon(area->window()->windowIcon());
        holder->setFixedSize(holder->sizeHint());
    }
    holder->showNormal();
    area->setActiveSubWindow(holder);
    window->writeTemplate();
    return window;
}

void RegisterLDkCompareCommands(CommandTable& commands) {
    commands[QStringLiteral("mnuLDk")] = [](Workbench& workbench) { ShowLDkCompareWindow(workbench); };
}

}  // namespace tavelmark::ui
