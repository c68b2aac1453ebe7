#pragma once
// The menu command of the Bliss analysis and the windows it leads to.
#include "analyses/bliss/bliss_types.h"
#include "ui/workbench.h"

namespace tavelmark::ui {

class BlissInputWindow;
class BlissSettingsDialog;
class LDkWindow;

// "mnuBliss": shows frmBlissInput (created on first use, one while it is
// open) and writes its template.
BlissInputWindow* ShowBlissInputWindow(Workbench& workbench);
void RegisterBlissCommands(CommandTable& commands);

// frmBlissSetting while it exists (shown or hidden after 确定); nullptr when
// never opened or discarded by its close box.
BlissSettingsDialog* FindBlissSettings(Workbench& workbench);
// Creates it hidden when it does not exist (to set its options).
BlissSettingsDialog* LoadBlissSettings(Workbench& workbench);
BlissSettingsDialog* ShowBlissSettings(Workbench& workbench);
void HideBlissSettings(Workbench& workbench);

// frmLDk with the line of the last calculation; frmBlissInput stays disabled
// until the calculator closes.
LDkWindow* ShowLDkCalculator(Workbench& workbench, const bliss::BlissHandOver& line);
LDkWindow* FindLDkCalculator(Workbench& workbench);

}  // namespace tavelmark::ui
