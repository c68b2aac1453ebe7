#include "desktop/means/means_commands.h"

#include "analyses/means/means_registration.h"
#include "desktop/means/means_input_window.h"
#include "desktop/means/print_show_dialog.h"
#include "ui/grid_view.h"
#include "ui/mdi_windows.h"
#include "ui/qt_text.h"
#include "ui/settings_dialog.h"

namespace tavelmark::means::desktop {

using ui::ActivateSubWindow, ui::AddFixedSubWindow, ui::FindSubWindow, ui::ToQString, ui::Workbench;

MeansInputWindow* ShowMeansInputWindow(Workbench& workbench, MeansMenuEntry entry) {
    QMdiArea* area = workbench.mdiArea();
    auto [holder, window] = FindSubWindow<MeansInputWindow>(area);
    const bool created = !window;
    if (created) {
        window = new MeansInputWindow(workbench);
        holder = AddFixedSubWindow(area, window);
    }
    ActivateSubWindow(area, holder);
    // A new grid opens at its headings, even with the first data cell active.
    if (created) window->gridView()->scrollToTop();
    const MeansMenuCommand command = MeansMenu(entry);
    if (*command.windowCaption) window->setWindowTitle(ToQString(command.windowCaption));
    return window;
}

PrintShowDialog* FindPrintShow(Workbench& workbench) { return ui::FindSettings<PrintShowDialog>(workbench); }

PrintShowDialog* LoadPrintShow(Workbench& workbench) {
    return ui::LoadSettings<PrintShowDialog>(workbench, Registration().name, [] { return new PrintShowDialog; });
}

PrintShowDialog* ShowPrintShow(Workbench& workbench) {
    PrintShowDialog* dialog = LoadPrintShow(workbench);
    ui::ShowSettingsDialog(workbench, dialog);
    return dialog;
}

MeansOptions ReadPrintShow(Workbench& workbench) { return LoadPrintShow(workbench)->options(); }

void RegisterMeansCommands(ui::CommandTable& commands) {
    for (MeansMenuEntry entry :
         {MeansMenuEntry::AverAna, MeansMenuEntry::AverComp, MeansMenuEntry::ItelAna})
        commands[QString::fromUtf8(MeansMenu(entry).objectName)] = [entry](Workbench& workbench) {
            ShowMeansInputWindow(workbench, entry);
        };
}

}  // namespace tavelmark::means::desktop
