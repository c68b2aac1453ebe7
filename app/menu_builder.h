#pragma once
// Builds the menu bar from the menu table.
#include <map>
#include <span>

#include <QString>

#include "app/menu_table.h"

class QAction;
class QMenuBar;

namespace tavelmark::app {

// Adds every entry to the bar: submenus as QMenus (object name on the menu
// and on its action), commands as actions, disabled entries greyed but
// visible. Returns the actions by object name (separators have none).
std::map<QString, QAction*> BuildMenuBar(QMenuBar& bar, std::span<const MenuEntry> entries);

}  // namespace tavelmark::app
