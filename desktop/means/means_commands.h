#pragma once
// The menu commands of the two-group means analysis and the way its two
// windows meet: the data-entry window and the result-items dialog.
#include "analyses/means/means_captions.h"
#include "analyses/means/means_options.h"
#include "ui/workbench.h"

namespace tavelmark::means::desktop {

class MeansInputWindow;
class PrintShowDialog;

// Shows the data-entry window (created on first use with its template, one
// while it is open); mnuAverComp and mnuItelAna then set its caption.
MeansInputWindow* ShowMeansInputWindow(ui::Workbench& workbench, means::MeansMenuEntry entry);

// The result-items dialog: created hidden with its defaults when first
// needed, shown with the data-entry window disabled until 确定 or the close box.
PrintShowDialog* FindPrintShow(ui::Workbench& workbench);
PrintShowDialog* LoadPrintShow(ui::Workbench& workbench);
PrintShowDialog* ShowPrintShow(ui::Workbench& workbench);
means::MeansOptions ReadPrintShow(ui::Workbench& workbench);

// "mnuAverAna", "mnuAverComp", "mnuItelAna".
void RegisterMeansCommands(ui::CommandTable& commands);

}  // namespace tavelmark::means::desktop
