#include "app/menu_builder.h"

#include <vector>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace tavelmark::app {

std::map<QString, QAction*> BuildMenuBar(QMenuBar& bar, std::span<const MenuEntry> entries) {
    std::map<QString, QAction*> actions;
    // open[d] is the menu that receives the entries of depth d + 1
    std::vector<QMenu*> open;
    for (const MenuEntry& entry : entries) {
        open.resize(static_cast<size_t>(entry.depth));
        const QString name = QString::fromUtf8(entry.name);
        const QString caption = QString::fromUtf8(entry.caption);
        QAction* action = nullptr;
        switch (entry.kind) {
            case MenuEntryKind::Submenu: {
                QMenu* menu = entry.depth == 0 ? bar.addMenu(caption) : open.back()->addMenu(caption);
                menu->setObjectName(name);
                open.push_back(menu);
                action = menu->menuAction();
                break;
            }
            case MenuEntryKind::Separator:
                open.back()->addSeparator();
                break;
            case MenuEntryKind::Command:
            case MenuEntryKind::Disabled:
                action = open.back()->addAction(caption);
                action->setEnabled(entry.kind == MenuEntryKind::Command);
                break;
        }
        if (action != nullptr) {
            action->setObjectName(name);
            actions.emplace(name, action);
        }
    }
    return actions;
}

}  // namespace tavelmark::app
