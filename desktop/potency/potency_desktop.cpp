#include "desktop/potency/potency_desktop.h"

#include "analyses/potency/potency_registration.h"
#include "desktop/potency/potency_commands.h"
#include "desktop/potency/potency_input_window.h"

namespace tavelmark::potency::desktop {

const ui::DesktopAnalysis& Registration() {
    static const ui::DesktopAnalysis kPotency{
        .analysis = potency::Registration(),
        .registerCommands =
            [](ui::CommandTable& commands) {
                commands[QStringLiteral("mnuLD50")] = [](ui::Workbench& workbench) {
                    ShowPotencyInputWindow(workbench);
                };
            },
        .enabledMenuEntries = {QStringLiteral("mnuLD50")},
        .showWindow = [](ui::Workbench& workbench) -> ui::DataEntryWindow* {
            return ShowPotencyInputWindow(workbench);
        },
    };
    return kPotency;
}

}  // namespace tavelmark::potency::desktop
