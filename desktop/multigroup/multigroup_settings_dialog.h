#pragma once
// frmMultigroupSetting: the options of the several-groups comparison. The
// reference group and the normal control are chosen from the grid's
// headings; 始终按方差不齐处理 takes Welch's path whatever the variance test
// says; 扩展结果 adds the second sheet. 确定 hides the dialog and keeps its
// choices; the close box discards it, so the next use starts from the defaults.
#include <string>
#include <vector>

#include "analyses/multigroup/multigroup_options.h"
#include "ui/settings_dialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace tavelmark::multigroup::desktop {

class MultigroupSettingsDialog : public ui::SettingsDialog {
    Q_OBJECT
public:
    explicit MultigroupSettingsDialog(QWidget* parent = nullptr);

    QComboBox* cboReference() const { return cboReference_; }
    QComboBox* cboNormalControl() const { return cboNormalControl_; }
    QCheckBox* chkUnequalVariances() const { return chkUnequal_; }
    QCheckBox* chkExtended() const { return chkExtended_; }
    QPushButton* cmdSetting() const { return cmdSetting_; }

    // The headings the two groups can be chosen from (the grid's row 1 now);
    // a name chosen before that is no longer among them stays chosen, marked.
    void offerHeadings(const std::vector<std::string>& headings);

    // The dialog's choices (the window's focus is not the dialog's).
    MultigroupOptions options() const;
    // The controls set to these options (an opened analysis file).
    void setOptions(const MultigroupOptions& options);

    QWidget* firstControl() const override;


private:
    // One group cannot be both: choosing it for one clears the other.
    void keepApart(QComboBox* chosen, QComboBox* other);

    QLabel* lblTitle_ = nullptr;
    QLabel* lblReference_ = nullptr;
    QComboBox* cboReference_ = nullptr;
    QLabel* lblNormalControl_ = nullptr;
    QComboBox* cboNormalControl_ = nullptr;
    QCheckBox* chkUnequal_ = nullptr;
    QCheckBox* chkExtended_ = nullptr;
    QPushButton* cmdSetting_ = nullptr;
};

}  // namespace tavelmark::multigroup::desktop
