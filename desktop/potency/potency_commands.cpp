#include "desktop/potency/potency_commands.h"

#include "analyses/potency/potency_input.h"
#include "analyses/potency/potency_registration.h"
#include "desktop/potency/potency_input_window.h"
#include "desktop/potency/potency_settings_dialog.h"
#include "ui/mdi_windows.h"
#include "ui/settings_dialog.h"

namespace tavelmark::potency::desktop {

using ui::ActivateSubWindow, ui::AddFixedSubWindow, ui::FindSubWindow, ui::Workbench;

PotencyInputWindow* ShowPotencyInputWindow(Workbench& workbench) {
    QMdiArea* area = workbench.mdiArea();
    auto [holder, window] = FindSubWindow<PotencyInputWindow>(area);
    if (!window) {
        window = new PotencyInputWindow(workbench);
        holder = AddFixedSubWindow(area, window);
    }
    ActivateSubWindow(area, holder);
    return window;
}

PotencySettingsDialog* FindPotencySettings(Workbench& workbench) {
    return ui::FindSettings<PotencySettingsDialog>(workbench);
}

PotencySettingsDialog* LoadPotencySettings(Workbench& workbench) {
    return ui::LoadSettings<PotencySettingsDialog>(workbench, Registration().name, [&workbench] {
        return new PotencySettingsDialog(workbench.prompter());
    });
}

PotencySettingsDialog* ShowPotencySettings(Workbench& workbench) {
    PotencySettingsDialog* dialog = LoadPotencySettings(workbench);
    if (auto [holder, window] = FindSubWindow<PotencyInputWindow>(workbench.mdiArea()); window)
        dialog->setPreparationNames(PreparationNames(window->grid()));
    ui::ShowSettingsDialog(workbench, dialog);
    return dialog;
}

PotencyOptions ReadPotencySettings(Workbench& workbench) {
    if (const PotencySettingsDialog* dialog = FindPotencySettings(workbench)) return dialog->options();
    return PotencyOptions{};
}

}  // namespace tavelmark::potency::desktop
