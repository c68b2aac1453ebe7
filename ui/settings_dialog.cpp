#include "ui/settings_dialog.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include "ui/data_entry_window.h"
#include "ui/mdi_windows.h"

namespace tavelmark::ui {

namespace {

const char* const kAnalysisProperty = "tavelmarkAnalysis";

QMdiSubWindow* HolderOf(Workbench& workbench, const QMetaObject& type) {
    for (QMdiSubWindow* sub : workbench.mdiArea()->subWindowList())
        if (type.cast(sub->widget())) return sub;
    return nullptr;
}

// The data-entry window back in use, active, its 计算 button focused.
void ReturnToInputWindow(Workbench& workbench, const QString& analysis) {
    auto [holder, window] = FindDataEntryWindow(workbench.mdiArea(), analysis.toStdString());
    if (!window) return;
    window->setEnabled(true);
    ActivateSubWindow(workbench.mdiArea(), holder);
    window->calculateButton()->setFocus();
}

}  // namespace

void SettingsDialog::closeEvent(QCloseEvent* event) {
    emit closedByCloseBox();
    QWidget::closeEvent(event);
}

SettingsDialog* FindSettingsDialog(Workbench& workbench, const QMetaObject& type) {
    QMdiSubWindow* holder = HolderOf(workbench, type);
    return holder ? static_cast<SettingsDialog*>(holder->widget()) : nullptr;
}

SettingsDialog* LoadSettingsDialog(Workbench& workbench, const QMetaObject& type, std::string_view analysis,
                                   const std::function<SettingsDialog*()>& make) {
    if (SettingsDialog* loaded = FindSettingsDialog(workbench, type)) return loaded;
    SettingsDialog* dialog = make();
    const QString owner = QString::fromUtf8(analysis.data(), static_cast<int>(analysis.size()));
    dialog->setProperty(kAnalysisProperty, owner);
    QMdiSubWindow* holder = AddFixedSubWindow(workbench.mdiArea(), dialog);
    holder->hide();
    QObject::connect(dialog, &SettingsDialog::confirmed, holder, [&workbench, holder, owner] {
        holder->hide();
        ReturnToInputWindow(workbench, owner);
    });
    QObject::connect(dialog, &SettingsDialog::closedByCloseBox, holder,
                     [&workbench, owner] { ReturnToInputWindow(workbench, owner); });
    return dialog;
}

void ShowSettingsDialog(Workbench& workbench, SettingsDialog* dialog) {
    const QString owner = dialog->property(kAnalysisProperty).toString();
    if (auto [holder, window] = FindDataEntryWindow(workbench.mdiArea(), owner.toStdString()); window)
        window->setEnabled(false);
    ActivateSubWindow(workbench.mdiArea(), HolderOf(workbench, *dialog->metaObject()));
    if (QWidget* first = dialog->firstControl()) first->setFocus();
}

void HideSettingsDialog(Workbench& workbench, const QMetaObject& type) {
    QMdiSubWindow* holder = HolderOf(workbench, type);
    if (!holder || holder->isHidden()) return;
    holder->hide();
    ReturnToInputWindow(workbench, holder->widget()->property(kAnalysisProperty).toString());
}

}  // namespace tavelmark::ui

#include "moc_settings_dialog.cpp"
