#pragma once
// The menu command of the potency comparison and its options dialog's life.
#include "analyses/potency/potency_options.h"
#include "ui/workbench.h"

namespace tavelmark::potency::desktop {

class PotencyInputWindow;
class PotencySettingsDialog;

// "mnuLD50": shows frmPotencyInput, created with its worked example on first
// use and one while it is open; choosing the entry again leaves the user's
// data as they are.
PotencyInputWindow* ShowPotencyInputWindow(ui::Workbench& workbench);

// frmPotencySetting while it exists (shown or hidden after 确定); null when
// never opened or discarded by its close box.
PotencySettingsDialog* FindPotencySettings(ui::Workbench& workbench);
// Creates it hidden when it does not exist (to set its options).
PotencySettingsDialog* LoadPotencySettings(ui::Workbench& workbench);
// Shows it, its reference list filled with the preparations of the window's grid.
PotencySettingsDialog* ShowPotencySettings(ui::Workbench& workbench);

// What a calculation uses: the dialog's options, or the defaults without one.
PotencyOptions ReadPotencySettings(ui::Workbench& workbench);

}  // namespace tavelmark::potency::desktop
