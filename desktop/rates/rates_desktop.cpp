#include "desktop/rates/rates_desktop.h"

#include "analyses/rates/rates_registration.h"
#include "desktop/rates/rates_commands.h"
#include "desktop/rates/rates_input_window.h"

namespace tavelmark::rates::desktop {

const ui::DesktopAnalysis& Registration() {
    static const ui::DesktopAnalysis kRates{
        .analysis = rates::Registration(),
        .registerCommands = RegisterRatesCommands,
        // mnuEnRateAna, mnuRateComp and mnuOddAna keep their commands behind disabled entries.
        .enabledMenuEntries = {QStringLiteral("mnuRateAna")},
        .showWindow = [](ui::Workbench& workbench) -> ui::DataEntryWindow* {
            return ShowRatesInputWindow(workbench, RatesMenuCommand::RateAna);
        },
    };
    return kRates;
}

}  // namespace tavelmark::rates::desktop
