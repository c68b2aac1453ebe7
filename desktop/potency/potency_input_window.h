#pragma once
// frmPotencyInput: the data-entry window of the potency comparison. The grid
// holds up to ten preparations of up to twelve dose groups, one group a row,
// each preparation's name typed above its first dose; 计算 writes the report
// into a new result window, 参数设置 opens the options, 在线帮助 the help box.
#include "ui/data_entry_window.h"

namespace tavelmark::potency::desktop {

class PotencyInputWindow : public ui::DataEntryWindow {
    Q_OBJECT
public:
    explicit PotencyInputWindow(ui::Workbench& workbench, QWidget* parent = nullptr);
};

}  // namespace tavelmark::potency::desktop
