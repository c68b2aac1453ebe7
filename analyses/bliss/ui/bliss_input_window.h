#pragma once
// frmBlissInput: the data-entry window of the Bliss LD50 analysis. The grid
// holds up to twelve dose groups; 计算 writes the report into a new result
// window, 参数设置 opens the options, 在线帮助 the help box.
#include <QWidget>

#include "model/input_grid.h"
#include "ui/workbench.h"

class QPushButton;

namespace tavelmark::ui {

class GridView;

class BlissInputWindow : public QWidget {
    Q_OBJECT
public:
    explicit BlissInputWindow(Workbench& workbench, QWidget* parent = nullptr);

    model::InputGrid& grid() { return grid_; }
    GridView* exlInput() const { return exlInput_; }
    QPushButton* cmdCal() const { return cmdCal_; }
    QPushButton* cmdSet() const { return cmdSet_; }
    QPushButton* cmdHelp() const { return cmdHelp_; }

    // What the menu command does after showing the window.
    void writeTemplate();

public slots:
    void calculate();
    void showSettings();
    void showHelp();

private:
    Workbench& workbench_;
    model::InputGrid grid_;
    GridView* exlInput_ = nullptr;
    QPushButton* cmdCal_ = nullptr;
    QPushButton* cmdSet_ = nullptr;
    QPushButton* cmdHelp_ = nullptr;
};

}  // namespace tavelmark::ui
