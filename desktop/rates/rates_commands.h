#pragma once
// The menu commands of the two-group rates analysis and the single instances
// of its two windows in the main window's MDI area.
#include "analyses/rates/rates_options.h"
#include "analyses/rates/rates_window.h"
#include "ui/workbench.h"

namespace tavelmark::rates::desktop {

class RatesInputWindow;
class RatesSettingsDialog;

// Shows frmChiInput (created on first use, one while it is open), writes the
// template and applies what the command changes (caption, group labels, the
// odds item of the options dialog).
RatesInputWindow* ShowRatesInputWindow(ui::Workbench& workbench, rates::RatesMenuCommand command);

// frmChiSetting when it is loaded (shown or hidden), nullptr otherwise.
RatesSettingsDialog* FindRatesSettings(ui::Workbench& workbench);
// Loads frmChiSetting hidden when it is not loaded yet.
RatesSettingsDialog* LoadRatesSettings(ui::Workbench& workbench);
// Shows it modeless; confirming or closing it enables frmChiInput again.
RatesSettingsDialog* ShowRatesSettings(ui::Workbench& workbench);
// The report items as the dialog holds them; the initial (all unchosen) ones
// when it is not loaded, which is what loading it would give.
rates::RatesOptions ReadRatesSettings(ui::Workbench& workbench);

// "mnuRateAna", "mnuEnRateAna", "mnuRateComp", "mnuOddAna".
void RegisterRatesCommands(ui::CommandTable& commands);

}  // namespace tavelmark::rates::desktop
