#pragma once
// The menu command of the LDk comparison.
#include "ui/workbench.h"

namespace tavelmark::ui {

class LDkCompareWindow;

// "mnuLDk": shows the window (created on first use, one while it is open)
// and writes its template.
LDkCompareWindow* ShowLDkCompareWindow(Workbench& workbench);
void RegisterLDkCompareCommands(CommandTable& commands);

}  // namespace tavelmark::ui
