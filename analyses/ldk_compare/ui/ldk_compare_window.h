#pragma once
// frmLDkInput: the data-entry window of the LDk comparison. Up to ten
// batches of LD50 with their 95 % limit L95, then 计算 writes the pairwise
// t tests into a new result window.
#include <QWidget>

#include "model/input_grid.h"
#include "ui/workbench.h"

class QPushButton;

namespace tavelmark::ui {

class GridView;

class LDkCompareWindow : public QWidget {
    Q_OBJECT
public:
    explicit LDkCompareWindow(Workbench& workbench, QWidget* parent = nullptr);

    model::InputGrid& grid() { return grid_; }
    GridView* exlInput() const { return exlInput_; }
    QPushButton* cmdCal() const { return cmdCal_; }
    QPushButton* cmdHelp() const { return cmdHelp_; }

    // What the menu command does after showing the window: the template with
    // its example data, and the grid as wide as the window.
    void writeTemplate();

public slots:
    void calculate();
    void showHelp();

private:
    Workbench& workbench_;
    model::InputGrid grid_;
    GridView* exlInput_ = nullptr;
    QPushButton* cmdHelp_ = nullptr;
    QPushButton* cmdCal_ = nullptr;
};

}  // namespace tavelmark::ui
