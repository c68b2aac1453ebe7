#include "desktop/multigroup/multigroup_desktop.h"

#include "analyses/multigroup/multigroup_registration.h"
#include "desktop/multigroup/multigroup_commands.h"
#include "desktop/multigroup/multigroup_input_window.h"

namespace tavelmark::multigroup::desktop {

const ui::DesktopAnalysis& Registration() {
    static const ui::DesktopAnalysis kMultigroup{
        .analysis = multigroup::Registration(),
        .registerCommands = RegisterMultigroupCommands,
        .enabledMenuEntries = {QString::fromUtf8(kAllPairsEntry), QString::fromUtf8(kAgainstReferenceEntry)},
        .showWindow = [](ui::Workbench& workbench) -> ui::DataEntryWindow* {
            return ShowMultigroupInputWindow(workbench, MultigroupFocus::AllPairs);
        },
    };
    return kMultigroup;
}

}  // namespace tavelmark::multigroup::desktop
