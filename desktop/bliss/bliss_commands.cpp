#include "desktop/bliss/bliss_commands.h"

#include <QLineEdit>

#include "analyses/bliss/bliss_registration.h"
#include "desktop/bliss/bliss_input_window.h"
#include "desktop/bliss/bliss_settings_dialog.h"
#include "desktop/bliss/ldk_window.h"
#include "ui/mdi_windows.h"
#include "ui/settings_dialog.h"

namespace tavelmark::bliss::desktop {

using ui::ActivateSubWindow, ui::AddFixedSubWindow, ui::FindSubWindow, ui::Workbench;

BlissInputWindow* ShowBlissInputWindow(Workbench& workbench) {
    QMdiArea* area = workbench.mdiArea();
    auto [holder, window] = FindSubWindow<BlissInputWindow>(area);
    if (!window) {
        window = new BlissInputWindow(workbench);
        holder = AddFixedSubWindow(area, window);
    }
    ActivateSubWindow(area, holder);
    window->writeTemplate();
    return window;
}

BlissSettingsDialog* FindBlissSettings(Workbench& workbench) {
    return ui::FindSettings<BlissSettingsDialog>(workbench);
}

BlissSettingsDialog* LoadBlissSettings(Workbench& workbench) {
    return ui::LoadSettings<BlissSettingsDialog>(workbench, Registration().name, [&workbench] {
        return new BlissSettingsDialog(workbench.prompter());
    });
}

BlissSettingsDialog* ShowBlissSettings(Workbench& workbench) {
    BlissSettingsDialog* dialog = LoadBlissSettings(workbench);
    ui::ShowSettingsDialog(workbench, dialog);
    return dialog;
}

LDkWindow* FindLDkCalculator(Workbench& workbench) {
    return FindSubWindow<LDkWindow>(workbench.mdiArea()).second;
}

LDkWindow* ShowLDkCalculator(Workbench& workbench, const bliss::BlissHandOver& line) {
    QMdiArea* area = workbench.mdiArea();
    auto [holder, window] = FindSubWindow<LDkWindow>(area);
    if (!window) {
        window = new LDkWindow;
        holder = AddFixedSubWindow(area, window);
        QObject::connect(window, &LDkWindow::finished, holder, [&workbench] {
            if (auto [sub, input] = FindSubWindow<BlissInputWindow>(workbench.mdiArea()); input)
                input->setEnabled(true);
        });
    }
    window->setHandOver(line);
    ActivateSubWindow(area, holder);
    window->textBox(1)->setFocus();
    return window;
}

}  // namespace tavelmark::bliss::desktop
