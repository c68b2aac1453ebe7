#pragma once
// The menu command of the Bliss analysis and the windows it leads to.
#include "analyses/bliss/bliss_types.h"
#include "ui/workbench.h"

namespace tavelmark::bliss::desktop {

class BlissInputWindow;
class BlissSettingsDialog;
class LDkWindow;

// "mnuBliss": shows frmBlissInput (created on first use, one while it is
// open) and writes its template.
BlissInputWindow* ShowBlissInputWindow(ui::Workbench& workbench);

// frmBlissSetting while it exists (shown or hidden after 确定); nullptr when
// never opened or discarded by its close box.
BlissSettingsDialog* FindBlissSettings(ui::Workbench& workbench);
// Creates it hidden when it does not exist (to set its options).
BlissSettingsDialog* LoadBlissSettings(ui::Workbench& workbench);
BlissSettingsDialog* ShowBlissSettings(ui::Workbench& workbench);

// frmLDk with the line of the last calculation; frmBlissInput stays disabled
// until the calculator closes.
LDkWindow* ShowLDkCalculator(ui::Workbench& workbench, const bliss::BlissHandOver& line);
LDkWindow* FindLDkCalculator(ui::Workbench& workbench);

}  // namespace tavelmark::bliss::desktop
