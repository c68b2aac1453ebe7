#pragma once
// frmIntelDAveInput: the data-entry window of the two-group means analysis.
// T组 in column A, R组 in column B; 计算 writes the report into a new result
// window, 参数设置 opens the result-items dialog, 在线帮助 the help box.
#include "ui/data_entry_window.h"

namespace tavelmark::means::desktop {

class MeansInputWindow : public ui::DataEntryWindow {
    Q_OBJECT
public:
    explicit MeansInputWindow(ui::Workbench& workbench, QWidget* parent = nullptr);
};

}  // namespace tavelmark::means::desktop
