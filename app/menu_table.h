#pragma once
// The main window's menu tree as one flat table, in menu order. Each entry
// carries its depth (0 = a menu of the menu bar); a submenu's entries follow
// it directly, one level deeper.
#include <span>

namespace tavelmark::app {

enum class MenuEntryKind {
    Submenu,    // opens the entries below it
    Separator,  // caption "-"
    Command,    // an enabled command
    Disabled,   // shown greyed, unless an analysis's registration enables it
};

struct MenuEntry {
    int depth;
    MenuEntryKind kind;
    const char* name;     // the action's object name; empty for separators
    const char* caption;  // "&" marks the accelerator letter
};

std::span<const MenuEntry> MenuEntries();

}  // namespace tavelmark::app
