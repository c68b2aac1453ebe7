#pragma once
// frmChiSetting: which optional rows and sections the two-group rates report
// holds. Items 1 to 3 are always reported and shown grey; items 4 to 12 start
// unchosen; 全选 mirrors whether all nine are checked.
#include <array>

#include "analyses/rates/rates_options.h"
#include "ui/settings_dialog.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace tavelmark::rates::desktop {

class RatesSettingsDialog : public ui::SettingsDialog {
    Q_OBJECT
public:
    explicit RatesSettingsDialog(QWidget* parent = nullptr);

    // chkP(1) .. chkP(12), the control array by its index.
    QCheckBox* chkP(int index) const { return chkP_.at(static_cast<std::size_t>(index)); }
    QCheckBox* chkAll() const { return chkAll_; }
    // 扩展结果: the second sheet; 全选 leaves it alone.
    QCheckBox* chkExtended() const { return chkExtended_; }
    QPushButton* cmdSetting() const { return cmdSetting_; }

    // Items 4 to 12 as checked now (the window caption is not the dialog's).
    rates::RatesOptions options() const;
    // Checks or unchecks an item as a click would (mnuOddAna checks item 11).
    void setItemChecked(int index, bool checked);

    QWidget* firstControl() const override;


private:
    void allChanged();
    void itemChanged();

    QLabel* lblTitle_ = nullptr;
    QGroupBox* frame1_ = nullptr;
    std::array<QCheckBox*, 13> chkP_{};  // index 0 unused
    QCheckBox* chkAll_ = nullptr;
    QCheckBox* chkExtended_ = nullptr;
    QPushButton* cmdSetting_ = nullptr;
    bool confirming_ = false;
};

}  // namespace tavelmark::rates::desktop
