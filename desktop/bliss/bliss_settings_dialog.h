#pragma once
// frmBlissSetting: the background mortality and the optional parts of the
// Bliss report. 确定 hides the dialog and keeps its settings; the close box
// discards it, so the next use starts from the initial states.
#include <functional>

#include "analyses/bliss/bliss_types.h"
#include "report/prompter.h"
#include "ui/settings_dialog.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavelmark::bliss::desktop {

class BlissSettingsDialog : public ui::SettingsDialog {
    Q_OBJECT
public:
    // Messages (the range message) go through the prompter.
    explicit BlissSettingsDialog(report::Prompter& prompter, QWidget* parent = nullptr);

    QLineEdit* txtBaseValue() const { return txtBaseValue_; }
    // Check1 .. Check6 by their number.
    QCheckBox* check(int number) const { return checks_[number - 1]; }
    // 扩展结果: the second sheet, below the classic report's items.
    QCheckBox* extendedCheck() const { return extended_; }
    QPushButton* cmdSet() const { return cmdSet_; }

    // What the calculate command reads.
    bliss::BlissOptions options() const;
    // The controls set to these options (an opened analysis file).
    void setOptions(const bliss::BlissOptions& options);

    // The sound of a refused key (the system beep unless a test replaces it).
    void setBeep(std::function<void()> beep);

    QWidget* firstControl() const override;


private:
    void baseValueChanged();

    report::Prompter& prompter_;
    QLabel* label3_ = nullptr;
    QLineEdit* txtBaseValue_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* label1_ = nullptr;
    QGroupBox* frame2_ = nullptr;
    QCheckBox* checks_[6] = {};
    QCheckBox* extended_ = nullptr;
    QPushButton* cmdSet_ = nullptr;
    std::function<void()> beep_;
};

}  // namespace tavelmark::bliss::desktop
