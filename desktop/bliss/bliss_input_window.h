#pragma once
// frmBlissInput: the data-entry window of the Bliss LD50 analysis. The grid
// holds up to twelve dose groups; 计算 writes the report into a new result
// window, 参数设置 opens the options, 在线帮助 the help box.
#include "ui/data_entry_window.h"

namespace tavelmark::bliss::desktop {

class BlissInputWindow : public ui::DataEntryWindow {
    Q_OBJECT
public:
    explicit BlissInputWindow(ui::Workbench& workbench, QWidget* parent = nullptr);

    // What the menu command does after showing the window.
    void writeTemplate();
};

}  // namespace tavelmark::bliss::desktop
