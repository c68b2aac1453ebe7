#include "desktop/means/means_desktop.h"

#include "analyses/means/means_registration.h"
#include "desktop/means/means_commands.h"
#include "desktop/means/means_input_window.h"

namespace tavelmark::means::desktop {

const ui::DesktopAnalysis& Registration() {
    static const ui::DesktopAnalysis kMeans{
        .analysis = means::Registration(),
        .registerCommands = RegisterMeansCommands,
        // mnuAverComp and mnuItelAna keep their commands behind disabled entries.
        .enabledMenuEntries = {QStringLiteral("mnuAverAna")},
        .showWindow = [](ui::Workbench& workbench) -> ui::DataEntryWindow* {
            return ShowMeansInputWindow(workbench, MeansMenuEntry::ItelAna);
        },
    };
    return kMeans;
}

}  // namespace tavelmark::means::desktop
