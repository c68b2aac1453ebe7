#include "desktop/bliss/bliss_desktop.h"

#include "analyses/bliss/bliss_registration.h"
#include "desktop/bliss/bliss_commands.h"
#include "desktop/bliss/bliss_input_window.h"

namespace tavelmark::bliss::desktop {

const ui::DesktopAnalysis& Registration() {
    static const ui::DesktopAnalysis kBliss{
        .analysis = bliss::Registration(),
        .registerCommands =
            [](ui::CommandTable& commands) {
                commands[QStringLiteral("mnuBliss")] = [](ui::Workbench& workbench) { ShowBlissInputWindow(workbench); };
            },
        .enabledMenuEntries = {QStringLiteral("mnuBliss")},
        .showWindow = [](ui::Workbench& workbench) -> ui::DataEntryWindow* { return ShowBlissInputWindow(workbench); },
    };
    return kBliss;
}

}  // namespace tavelmark::bliss::desktop
