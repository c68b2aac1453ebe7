#pragma once
// frmChiInput: the data-entry window of the two-group rates analysis. A 2x2
// table of positives and negatives of groups R and T; 计算 writes the report
// into a new result window, 参数设置 opens frmChiSetting, 在线帮助 the help
// box of the window's caption.
#include <functional>

#include <QWidget>

#include "analyses/rates/rates_options.h"
#include "model/input_grid.h"
#include "ui/workbench.h"

class QPushButton;

namespace tavelmark::ui {

class GridView;

class RatesInputWindow : public QWidget {
    Q_OBJECT
public:
    explicit RatesInputWindow(Workbench& workbench, QWidget* parent = nullptr);

    model::InputGrid& grid() { return grid_; }
    // The menu command behind the caption; setting it sets the caption.
    rates::RatesMenuCommand captionCommand() const { return captionCommand_; }
    void setCaptionCommand(rates::RatesMenuCommand command);
    GridView* exlInput() const { return exlInput_; }
    QPushButton* cmdCal() const { return cmdCal_; }
    QPushButton* cmdSet() const { return cmdSet_; }
    QPushButton* cmdHelp() const { return cmdHelp_; }

    // After the grid was written by a menu command: show it and size the grid
    // to the window (its width less 100 twips).
    void gridWritten();

public slots:
    void calculate();
    void openSettings();
    void showHelp();

private:
    Workbench& workbench_;
    model::InputGrid grid_;
    rates::RatesMenuCommand captionCommand_ = rates::RatesMenuCommand::RateAna;
    GridView* exlInput_ = nullptr;
    QPushButton* cmdCal_ = nullptr;
    QPushButton* cmdSet_ = nullptr;
    QPushButton* cmdHelp_ = nullptr;
};

}  // namespace tavelmark::ui
