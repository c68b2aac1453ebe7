#include "analyses/rates/ui/rates_commands.h"

#include <QCheckBox>

#include "analyses/rates/ui/rates_input_window.h"
#include "analyses/rates/ui/rates_settings_dialog.h"
#include "ui/mdi_windows.h"
#include "ui/qt_text.h"

namespace tavelmark::ui {

using rates::RatesMenuCommand, rates::RatesOptions, rates::RunRatesMenuCommand;

namespace {

void EnableInputWindow(Workbench& workbench) {
    if (auto [sub, window] = FindSubWindow<RatesInputWindow>(workbench.mdiArea()); window)
        window->setEnabled(true);
}

}  // namespace

RatesInputWindow* ShowRatesInputWindow(Workbench& workbench, RatesMenuCommand command) {
    QMdiArea* area = workbench.mdiArea();
    auto [holder, window] = FindSubWindow<RatesInputWindow>(area);
    if (!window) {
        window = new RatesInputWindow(workbench);
        holder = AddFixedSubWindow(area, window);
    }
    ActivateSubWindow(area, holder);

    RatesOptions requested;
    requested.captionCommand = window->captionCommand();
    RunRatesMenuCommand(command, window->grid(), requested);
    window->setCaptionCommand(requested.captionCommand);
    if (requested.odds) LoadRatesSettings(workbench)->setItemChecked(11, true);
    window->gridWritten();
    return window;
}

RatesSettingsDialog* FindRatesSettings(Workbench& workbench) {
    return FindSubWindow<RatesSettingsDialog>(workbench.mdiArea()).second;
}

RatesSettingsDialog* LoadRatesSettings(Workbench& workbench) {
    if (RatesSettingsDialog* loaded = FindRatesSettings(workbench)) return loaded;
    auto* dialog = new RatesSettingsDialog;
    QMdiSubWindow* holder = AddFixedSubWindow(workbench.mdiArea(), dialog);
    holder->hide();
    QObject::connect(dialog, &RatesSettingsDialog::confirmed, holder, [&workbench, holder] {
        EnableInputWindow(workbench);
        holder->hide();
    });
    QObject::connect(dialog, &RatesSettingsDialog::closedByCloseBox, holder,
                     [&workbench] { EnableInputWindow(workbench); });
    return dialog;
}

RatesSettingsDialog* ShowRatesSettings(Workbench& workbench) {
    RatesSettingsDialog* dialog = LoadRatesSettings(workbench);
    auto [holder, found] = FindSubWindow<RatesSettingsDialog>(workbench.mdiArea());
    ActivateSubWindow(workbench.mdiArea(), holder);
    dialog->chkP(RatesOptions::kFirstOptionalItem)->setFocus();
    return dialog;
}

void HideRatesSettings(Workbench& workbench) {
    if (auto [holder, dialog] = FindSubWindow<RatesSettingsDialog>(workbench.mdiArea()); holder) {
        holder->hide();
        EnableInputWindow(workbench);
    }
}

RatesOptions ReadRatesSettings(Workbench& workbench) {
    if (const RatesSettingsDialog* dialog = FindRatesSettings(workbench)) return dialog->options();
    return RatesOptions{};
}

void RegisterRatesCommands(CommandTable& commands) {
    const std::pair<const char*, RatesMenuCommand> entries[] = {
        {"mnuRateAna", RatesMenuCommand::RateAna},
        {"mnuEnRateAna", RatesMenuCommand::EnRateAna},
        {"mnuRateComp", RatesMenuCommand::RateComp},
        {"mnuOddAna", RatesMenuCommand::OddAna},
    };
    for (const auto& [name, command] : entries)
        commands[QString::fromUtf8(name)] = [command](Workbench& workbench) {
            ShowRatesInputWindow(workbench, command);
        };
}

}  // namespace tavelmark::ui
