#pragma once
// frmPotencySetting: the model of the potency comparison (probit or logit),
// how the natural response enters, the reference preparation, extra LDk
// values and 扩展结果. 确定 hides the dialog and keeps its settings (after
// checking the LDk values); the close box discards it, so the next use starts
// from the defaults.
#include <string>
#include <vector>

#include "analyses/potency/potency_options.h"
#include "report/prompter.h"
#include "ui/settings_dialog.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tavelmark::potency::desktop {

class PotencySettingsDialog : public ui::SettingsDialog {
    Q_OBJECT
public:
    // The message about a bad LDk value goes through the prompter.
    explicit PotencySettingsDialog(report::Prompter& prompter, QWidget* parent = nullptr);

    QRadioButton* probitOption() const { return optProbit_; }
    QRadioButton* logitOption() const { return optLogit_; }
    // None, Abbott, Estimate, in the order of NaturalResponseOption.
    QRadioButton* naturalOption(NaturalResponseOption natural) const;
    QComboBox* referenceBox() const { return cboReference_; }
    QLineEdit* ldkBox() const { return txtLDk_; }
    QCheckBox* extendedCheck() const { return chkExtended_; }
    QPushButton* confirmButton() const { return cmdOK_; }

    // The reference box's list: the preparations now in the grid. What is
    // typed or chosen in it stays.
    void setPreparationNames(const std::vector<std::string>& names);

    // What the calculate command reads.
    PotencyOptions options() const;
    // The controls set to these options (an opened analysis file).
    void setOptions(const PotencyOptions& options);

    QWidget* firstControl() const override;


private:
    // 确定: the LDk values checked first; a bad one is said and kept for correcting.
    void confirm();

    report::Prompter& prompter_;
    QGroupBox* fraLink_ = nullptr;
    QRadioButton* optProbit_ = nullptr;
    QRadioButton* optLogit_ = nullptr;
    QGroupBox* fraNatural_ = nullptr;
    QRadioButton* optNatural_[3] = {};
    QLabel* lblReference_ = nullptr;
    QComboBox* cboReference_ = nullptr;
    QLabel* lblLDk_ = nullptr;
    QLineEdit* txtLDk_ = nullptr;
    QLabel* lblPercent_ = nullptr;
    QCheckBox* chkExtended_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
};

}  // namespace tavelmark::potency::desktop
