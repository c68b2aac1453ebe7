#include "desktop/rates/rates_commands.h"

#include <utility>

#include "analyses/rates/rates_registration.h"
#include "desktop/rates/rates_input_window.h"
#include "desktop/rates/rates_settings_dialog.h"
#include "ui/mdi_windows.h"
#include "ui/settings_dialog.h"

namespace tavelmark::rates::desktop {

using ui::ActivateSubWindow, ui::AddFixedSubWindow, ui::FindSubWindow, ui::Workbench;

RatesInputWindow* ShowRatesInputWindow(Workbench& workbench, RatesMenuCommand command) {
    QMdiArea* area = workbench.mdiArea();
    auto [holder, window] = FindSubWindow<RatesInputWindow>(area);
    if (!window) {
        window = new RatesInputWindow(workbench);
        holder = AddFixedSubWindow(area, window);
    }
    ActivateSubWindow(area, holder);

    RatesOptions requested;
    requested.captionCommand = window->captionCommand();
    RunRatesMenuCommand(command, window->grid(), requested);
    window->setCaptionCommand(requested.captionCommand);
    if (requested.odds) LoadRatesSettings(workbench)->setItemChecked(11, true);
    window->gridWritten();
    return window;
}

RatesSettingsDialog* FindRatesSettings(Workbench& workbench) { return ui::FindSettings<RatesSettingsDialog>(workbench); }

RatesSettingsDialog* LoadRatesSettings(Workbench& workbench) {
    return ui::LoadSettings<RatesSettingsDialog>(workbench, Registration().name,
                                                 [] { return new RatesSettingsDialog; });
}

RatesSettingsDialog* ShowRatesSettings(Workbench& workbench) {
    RatesSettingsDialog* dialog = LoadRatesSettings(workbench);
    ui::ShowSettingsDialog(workbench, dialog);
    return dialog;
}

RatesOptions ReadRatesSettings(Workbench& workbench) {
    if (const RatesSettingsDialog* dialog = FindRatesSettings(workbench)) return dialog->options();
    return RatesOptions{};
}

void RegisterRatesCommands(ui::CommandTable& commands) {
    const std::pair<const char*, RatesMenuCommand> entries[] = {
        {"mnuRateAna", RatesMenuCommand::RateAna},
        {"mnuEnRateAna", RatesMenuCommand::EnRateAna},
        {"mnuRateComp", RatesMenuCommand::RateComp},
        {"mnuOddAna", RatesMenuCommand::OddAna},
    };
    for (const auto& [name, command] : entries)
        commands[QString::fromUtf8(name)] = [command](Workbench& workbench) {
            ShowRatesInputWindow(workbench, command);
        };
}

}  // namespace tavelmark::rates::desktop
