#pragma once
// frmChiInput: the data-entry window of the two-group rates analysis. A 2x2
// table of positives and negatives of groups R and T; 计算 writes the report
// into a new result window, 参数设置 opens frmChiSetting, 在线帮助 the help
// box of the window's caption.
#include "analyses/rates/rates_options.h"
#include "ui/data_entry_window.h"

namespace tavelmark::rates::desktop {

class RatesInputWindow : public ui::DataEntryWindow {
    Q_OBJECT
public:
    explicit RatesInputWindow(ui::Workbench& workbench, QWidget* parent = nullptr);

    // The menu command behind the caption; setting it sets the caption.
    rates::RatesMenuCommand captionCommand() const { return captionCommand_; }
    void setCaptionCommand(rates::RatesMenuCommand command);

private:
    rates::RatesMenuCommand captionCommand_ = rates::RatesMenuCommand::RateAna;
};

}  // namespace tavelmark::rates::desktop
