#pragma once
// The menu command of the LDk comparison.
#include "ui/workbench.h"

namespace tavelmark::ldk_compare::desktop {

class LDkCompareWindow;

// "mnuLDk": shows the window (created on first use, one while it is open)
// and writes its template.
LDkCompareWindow* ShowLDkCompareWindow(ui::Workbench& workbench);
void RegisterLDkCompareCommands(ui::CommandTable& commands);

}  // namespace tavelmark::ldk_compare::desktop
