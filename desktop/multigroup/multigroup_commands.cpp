#include "desktop/multigroup/multigroup_commands.h"

#include "analyses/multigroup/multigroup_input.h"
#include "analyses/multigroup/multigroup_registration.h"
#include "desktop/multigroup/multigroup_input_window.h"
#include "desktop/multigroup/multigroup_settings_dialog.h"
#include "ui/grid_view.h"
#include "ui/mdi_windows.h"
#include "ui/settings_dialog.h"

namespace tavelmark::multigroup::desktop {

using ui::ActivateSubWindow, ui::AddFixedSubWindow, ui::FindSubWindow, ui::Workbench;

MultigroupInputWindow* ShowMultigroupInputWindow(Workbench& workbench, MultigroupFocus focus) {
    QMdiArea* area = workbench.mdiArea();
    auto [holder, window] = FindSubWindow<MultigroupInputWindow>(area);
    const bool created = !window;
    if (created) {
        window = new MultigroupInputWindow(workbench);
        window->setComparisonFocus(focus);
        holder = AddFixedSubWindow(area, window);
    } else if (window->comparisonFocus() != focus) {
        // The other caption is another option. A new window nobody has
        // changed yet starts from it, as it would have opened under it; a
        // window with typed data or a file counts the switch as a change.
        const bool untouched = window->filePath().isEmpty() && !window->hasUnsavedChanges();
        window->setComparisonFocus(focus);
        if (untouched) window->gridWritten();
    }
    ActivateSubWindow(area, holder);
    // A new grid opens at its headings.
    if (created) window->gridView()->scrollToTop();
    return window;
}

MultigroupSettingsDialog* FindMultigroupSettings(Workbench& workbench) {
    return ui::FindSettings<MultigroupSettingsDialog>(workbench);
}

MultigroupSettingsDialog* LoadMultigroupSettings(Workbench& workbench) {
    return ui::LoadSettings<MultigroupSettingsDialog>(workbench, Registration().name,
                                                      [] { return new MultigroupSettingsDialog; });
}

MultigroupSettingsDialog* ShowMultigroupSettings(Workbench& workbench) {
    MultigroupSettingsDialog* dialog = LoadMultigroupSettings(workbench);
    if (auto [holder, window] = FindSubWindow<MultigroupInputWindow>(workbench.mdiArea()); window)
        dialog->offerHeadings(MultigroupHeadings(window->grid().activeSheet()));
    ui::ShowSettingsDialog(workbench, dialog);
    return dialog;
}

MultigroupOptions ReadMultigroupSettings(Workbench& workbench) {
    if (const MultigroupSettingsDialog* dialog = FindMultigroupSettings(workbench)) return dialog->options();
    return MultigroupOptions{};
}

void RegisterMultigroupCommands(ui::CommandTable& commands) {
    const std::pair<const char*, MultigroupFocus> entries[] = {
        {kAllPairsEntry, MultigroupFocus::AllPairs},
        {kAgainstReferenceEntry, MultigroupFocus::AgainstReference},
    };
    for (const auto& [name, focus] : entries)
        commands[QString::fromUtf8(name)] = [focus](Workbench& workbench) {
            ShowMultigroupInputWindow(workbench, focus);
        };
}

}  // namespace tavelmark::multigroup::desktop
