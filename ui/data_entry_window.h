#pragma once
// The one data-entry window of every analysis: a grid, the buttons 在线帮助,
// 参数设置 (where the analysis has options) and 计算, and the way back to
// the grid after a refusal. An analysis configures it with a plain record:
// its names and captions, its grid's key set, its layout, and the functions
// that set up the grid, calculate, open the options and give the help box.
// Later additions that every window shares (saving and opening the grid,
// importing a CSV file) belong here, once.
#include <functional>
#include <optional>

#include <QString>
#include <QWidget>

#include "model/input_grid.h"
#include "model/key_filter.h"
#include "report/help_text.h"
#include "report/report_outcome.h"
#include "ui/workbench.h"

class QPushButton;

namespace tavelmark::ui {

class DataEntryWindow;
class GridView;
class ResultWindow;

// A button's object name (as screen readers and tests find it), caption and
// tooltip; no object name: the window has no such button.
struct ButtonDesign {
    const char* objectName = nullptr;
    const char* caption = nullptr;
    const char* toolTip = nullptr;
};

// What one calculation gave: the outcome, and what follows once its result
// window (if any) is shown.
struct Calculation {
    report::ReportOutcome outcome;
    std::function<void(ResultWindow* shown)> afterShown;
};

struct DataEntryDesign {
    QString objectName;  // frmBlissInput, frmIntelDAveInput, frmChiInput, frmLDkInput
    QString caption;
    QString accessibleName;
    model::GridKeySet keySet = model::GridKeySet::Decimals;
    QString gridToolTip;
    QString gridAccessibleName;
    QString gridAccessibleDescription;  // the tooltip when empty
    ButtonDesign helpButton, settingsButton, calculateButton;
    // The grid is the window's width less this when a menu command rewrites it.
    double gridMarginTwips = 100;

    std::function<void(model::InputGrid&)> setUpGrid;  // the stored design, before the view measures it
    std::function<void(DataEntryWindow&)> layOut;      // sizes and places the grid and the buttons
    std::function<Calculation(DataEntryWindow&)> calculate;
    std::function<void(DataEntryWindow&)> showSettings;
    std::function<std::optional<report::HelpBox>(DataEntryWindow&)> helpBox;
};

class DataEntryWindow : public QWidget {
    Q_OBJECT
public:
    DataEntryWindow(Workbench& workbench, DataEntryDesign design, QWidget* parent = nullptr);

    Workbench& workbench() { return workbench_; }
    model::InputGrid& grid() { return grid_; }
    GridView* gridView() const { return gridView_; }
    QPushButton* helpButton() const { return helpButton_; }
    QPushButton* settingsButton() const { return settingsButton_; }  // null without options
    QPushButton* calculateButton() const { return calculateButton_; }

    // After a menu command wrote the grid: show it, size the grid to the
    // window and give it the focus.
    void gridWritten();

public slots:
    void calculate();
    void showSettings();
    void showHelp();

private:
    Workbench& workbench_;
    DataEntryDesign design_;
    model::InputGrid grid_;
    GridView* gridView_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    QPushButton* settingsButton_ = nullptr;
    QPushButton* calculateButton_ = nullptr;
};

}  // namespace tavelmark::ui
