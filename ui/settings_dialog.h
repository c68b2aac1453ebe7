#pragma once
// The settings dialogs of the analyses and their one life cycle in the MDI
// area. A dialog is created hidden when first needed (to be shown, to give
// its options to a calculation or to take those of an opened file) and kept:
// 确定 hides it with its choices; the close box discards it, so its next use
// starts from the initial states. While it is shown, its data-entry window is
// disabled; confirming or closing the dialog, or a calculation, gives that
// window back, active, with the focus on 计算.
#include <functional>
#include <string>
#include <string_view>

#include <QWidget>

#include "ui/workbench.h"

namespace tavelmark::ui {

class SettingsDialog : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    // Where the focus goes when the dialog is shown.
    virtual QWidget* firstControl() const = 0;

signals:
    // 确定: the choices stay and the dialog is hidden.
    void confirmed();
    // The close box: the dialog goes, and its choices with it.
    void closedByCloseBox();

protected:
    // Every dialog's close box says so, once, here.
    void closeEvent(QCloseEvent* event) override;
};

// The dialog of that class while it exists (shown or hidden); null otherwise.
SettingsDialog* FindSettingsDialog(Workbench& workbench, const QMetaObject& type);
// The dialog of that class, made by `make` and kept hidden when there is none;
// `analysis` names the data-entry window it belongs to.
SettingsDialog* LoadSettingsDialog(Workbench& workbench, const QMetaObject& type, std::string_view analysis,
                                   const std::function<SettingsDialog*()>& make);
// Shows it in front, its data-entry window disabled, the focus on its first control.
void ShowSettingsDialog(Workbench& workbench, SettingsDialog* dialog);
// Hides it if it is shown and gives its data-entry window back.
void HideSettingsDialog(Workbench& workbench, const QMetaObject& type);

template <class Dialog>
Dialog* FindSettings(Workbench& workbench) {
    return static_cast<Dialog*>(FindSettingsDialog(workbench, Dialog::staticMetaObject));
}

template <class Dialog>
Dialog* LoadSettings(Workbench& workbench, std::string_view analysis, const std::function<Dialog*()>& make) {
    return static_cast<Dialog*>(LoadSettingsDialog(workbench, Dialog::staticMetaObject, analysis, make));
}

template <class Dialog>
void HideSettings(Workbench& workbench) {
    HideSettingsDialog(workbench, Dialog::staticMetaObject);
}

}  // namespace tavelmark::ui
