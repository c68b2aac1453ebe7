#pragma once
// frmPrintShow: which optional sections the two-group means report holds.
// 计算结果 and 方法推荐 are always written and shown checked and grey; the
// seven others start unchecked, and so does 扩展结果, the second sheet.
#include <array>

#include "analyses/means/means_options.h"
#include "ui/settings_dialog.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace tavelmark::means::desktop {

class PrintShowDialog : public ui::SettingsDialog {
    Q_OBJECT
public:
    explicit PrintShowDialog(QWidget* parent = nullptr);

    // Check1 .. Check9 by their number.
    QCheckBox* check(int number) const { return checks_.at(static_cast<std::size_t>(number)); }
    QCheckBox* extendedCheck() const { return extended_; }
    QPushButton* command1() const { return command1_; }

    means::MeansOptions options() const;
    // The check boxes set to these options (an opened analysis file).
    void setOptions(const means::MeansOptions& options);

    QWidget* firstControl() const override;


private:
    QLabel* label1_ = nullptr;
    std::array<QCheckBox*, 10> checks_{};  // index 0 unused
    QCheckBox* extended_ = nullptr;
    QPushButton* command1_ = nullptr;
    bool confirming_ = false;
};

}  // namespace tavelmark::means::desktop
