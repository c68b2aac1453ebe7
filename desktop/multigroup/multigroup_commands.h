#pragma once
// The two menu commands that open the several-groups window, and the way the
// window meets its options dialog.
#include "analyses/multigroup/multigroup_options.h"
#include "ui/workbench.h"

namespace tavelmark::multigroup::desktop {

class MultigroupInputWindow;
class MultigroupSettingsDialog;

// 多组均数分析 opens the window leading with all pairs, 各实验组与对照组均数
// 比较 with the comparisons against the reference group.
inline constexpr const char* kAllPairsEntry = "mnuMAverAna";
inline constexpr const char* kAgainstReferenceEntry = "mnuControlComp";

// Shows the data-entry window (created on first use with its template, one
// while it is open) under the caption of that focus; what was typed stays.
MultigroupInputWindow* ShowMultigroupInputWindow(ui::Workbench& workbench, MultigroupFocus focus);

// The options dialog: created hidden with its defaults when first needed,
// shown with the data-entry window disabled until 确定 or the close box. Shown,
// it offers the grid's headings as they are now.
MultigroupSettingsDialog* FindMultigroupSettings(ui::Workbench& workbench);
MultigroupSettingsDialog* LoadMultigroupSettings(ui::Workbench& workbench);
MultigroupSettingsDialog* ShowMultigroupSettings(ui::Workbench& workbench);
// The dialog's options; its defaults when it is not loaded (the window's
// focus is not the dialog's).
MultigroupOptions ReadMultigroupSettings(ui::Workbench& workbench);

void RegisterMultigroupCommands(ui::CommandTable& commands);

}  // namespace tavelmark::multigroup::desktop
