#pragma once
// frmLDkInput: the data-entry window of the LDk comparison. Up to ten
// batches of LD50 with their 95 % limit L95, then 计算 writes the pairwise
// t tests into a new result window. The comparison has no options dialog:
// its one option, 扩展结果, is a check box between the two buttons.
#include "ui/data_entry_window.h"

class QCheckBox;

namespace tavelmark::ldk_compare::desktop {

class LDkCompareWindow : public ui::DataEntryWindow {
    Q_OBJECT
public:
    explicit LDkCompareWindow(ui::Workbench& workbench, QWidget* parent = nullptr);

    // What the menu command does after showing the window: the template with
    // its example data, and the grid as wide as the window.
    void writeTemplate();

    QCheckBox* extendedCheck() const { return extended_; }

private:
    QCheckBox* extended_ = nullptr;
};

}  // namespace tavelmark::ldk_compare::desktop
