#pragma once
// frmIntelDAveInput: the data-entry window of the two-group means analysis.
// T组 in column A, R组 in column B; 计算 writes the report into a new result
// window, 参数设置 opens the result-items dialog, 在线帮助 the help box.
#include <QWidget>

#include "model/input_grid.h"
#include "ui/workbench.h"

class QPushButton;

namespace tavelmark::ui {

class GridView;

class MeansInputWindow : public QWidget {
    Q_OBJECT
public:
    explicit MeansInputWindow(Workbench& workbench, QWidget* parent = nullptr);

    model::InputGrid& grid() { return grid_; }
    GridView* exlInput() const { return exlInput_; }
    QPushButton* command1() const { return command1_; }  // 计算
    QPushButton* command2() const { return command2_; }  // 在线帮助
    QPushButton* command3() const { return command3_; }  // 参数设置

public slots:
    void calculate();
    void showHelp();
    void showSettings();

private:
    Workbench& workbench_;
    model::InputGrid grid_;
    GridView* exlInput_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
    QPushButton* command3_ = nullptr;
};

}  // namespace tavelmark::ui
