#include "analyses/bliss/ui/bliss_commands.h"

#include <QLineEdit>
#include <QPushButton>

#include "analyses/bliss/ui/bliss_input_window.h"
#include "analyses/bliss/ui/bliss_settings_dialog.h"
#include "analyses/bliss/ui/ldk_window.h"
#include "ui/mdi_windows.h"

namespace tavelmark::ui {
namespace {

// The data-entry window back in use, its 计算 button focused.
void ReturnToInputWindow(Workbench& workbench) {
    auto [holder, window] = FindSubWindow<BlissInputWindow>(workbench.mdiArea());
    if (!window) return;
    window->setEnabled(true);
    workbench.mdiArea()->setActiveSubWindow(holder);
    window->calculateButton()->setFocus();
}

}  // namespace

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

void RegisterBlissCommands(CommandTable& commands) {
    commands[QStringLiteral("mnuBliss")] = [](Workbench& workbench) { ShowBlissInputWindow(workbench); };
}

BlissSettingsDialog* FindBlissSettings(Workbench& workbench) {
    return FindSubWindow<BlissSettingsDialog>(workbench.mdiArea()).second;
}

BlissSettingsDialog* LoadBlissSettings(Workbench& workbench) {
    if (BlissSettingsDialog* loaded = FindBlissSettings(workbench)) return loaded;
    auto* dialog = new BlissSettingsDialog(workbench.prompter());
    QMdiSubWindow* holder = AddFixedSubWindow(workbench.mdiArea(), dialog);
    holder->hide();
    QObject::connect(dialog, &BlissSettingsDialog::confirmed, holder, [&workbench, holder] {
        holder->hide();
        ReturnToInputWindow(workbench);
    });
    QObject::connect(dialog, &BlissSettingsDialog::closedByCloseBox, holder,
                     [&workbench] { ReturnToInputWindow(workbench); });
    return dialog;
}

BlissSettingsDialog* ShowBlissSettings(Workbench& workbench) {
    BlissSettingsDialog* dialog = LoadBlissSettings(workbench);
    ActivateSubWindow(workbench.mdiArea(), FindSubWindow<BlissSettingsDialog>(workbench.mdiArea()).first);
    return dialog;
}

void HideBlissSettings(Workbench& workbench) {
    if (auto [holder, dialog] = FindSubWindow<BlissSettingsDialog>(workbench.mdiArea()); holder)
        holder->hide();
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

}  // namespace tavelmark::ui
