#include "analyses/means/ui/means_commands.h"

#include <QPushButton>

#include "analyses/means/ui/means_input_window.h"
#include "analyses/means/ui/print_show_dialog.h"
#include "ui/grid_view.h"
#include "ui/mdi_windows.h"
#include "ui/qt_text.h"

namespace tavelmark::ui {

using means::MeansMenu, means::MeansMenuCommand, means::MeansMenuEntry, means::MeansOptions;

namespace {

void EnableInputWindow(Workbench& workbench) {
    if (auto [sub, window] = FindSubWindow<MeansInputWindow>(workbench.mdiArea()); window) {
        window->setEnabled(true);
        ActivateSubWindow(workbench.mdiArea(), sub);
    }
}

}  // namespace

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

PrintShowDialog* FindPrintShow(Workbench& workbench) {
    return FindSubWindow<PrintShowDialog>(workbench.mdiArea()).second;
}

PrintShowDialog* LoadPrintShow(Workbench& workbench) {
    if (PrintShowDialog* loaded = FindPrintShow(workbench)) return loaded;
    auto* dialog = new PrintShowDialog;
    QMdiSubWindow* holder = AddFixedSubWindow(workbench.mdiArea(), dialog);
    holder->hide();
    QObject::connect(dialog, &PrintShowDialog::confirmed, holder, [&workbench, holder] {
        holder->hide();
        EnableInputWindow(workbench);
    });
    QObject::connect(dialog, &PrintShowDialog::closedByCloseBox, holder,
                     [&workbench] { EnableInputWindow(workbench); });
    return dialog;
}

PrintShowDialog* ShowPrintShow(Workbench& workbench) {
    if (auto [sub, window] = FindSubWindow<MeansInputWindow>(workbench.mdiArea()); window)
        window->setEnabled(false);
    PrintShowDialog* dialog = LoadPrintShow(workbench);
    QMdiSubWindow* holder = FindSubWindow<PrintShowDialog>(workbench.mdiArea()).first;
    ActivateSubWindow(workbench.mdiArea(), holder);
    dialog->command1()->setFocus();
    return dialog;
}

void HidePrintShow(Workbench& workbench) {
    if (auto [holder, dialog] = FindSubWindow<PrintShowDialog>(workbench.mdiArea()); holder)
        holder->hide();
}

MeansOptions ReadPrintShow(Workbench& workbench) { return LoadPrintShow(workbench)->options(); }

void RegisterMeansCommands(CommandTable& commands) {
    for (MeansMenuEntry entry :
         {MeansMenuEntry::AverAna, MeansMenuEntry::AverComp, MeansMenuEntry::ItelAna})
        commands[QString::fromUtf8(MeansMenu(entry).objectName)] = [entry](Workbench& workbench) {
            ShowMeansInputWindow(workbench, entry);
        };
}

}  // namespace tavelmark::ui
