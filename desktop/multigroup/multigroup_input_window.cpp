#include "desktop/multigroup/multigroup_input_window.h"

#include <QItemSelectionModel>
#include <QPushButton>
#include <QScrollBar>

#include "analyses/multigroup/multigroup_options_codec.h"
#include "analyses/multigroup/multigroup_registration.h"
#include "analyses/multigroup/multigroup_template.h"
#include "analyses/multigroup/run_multigroup.h"
#include "desktop/multigroup/multigroup_commands.h"
#include "desktop/multigroup/multigroup_settings_dialog.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"
#include "ui/qt_text.h"
#include "ui/settings_dialog.h"
#include "ui/twips_layout.h"

namespace tavelmark::multigroup::desktop {

using ui::Calculation, ui::DataEntryDesign, ui::DataEntryWindow, ui::ToQString, ui::Workbench;

namespace {

// The window's design, in twips: the grid shows all ten columns and about
// fifteen rows, the buttons stand in a row below it at the right.
constexpr double kGridHeight = 4200;
constexpr double kButtonGap = 150, kButtonWidth = 1215, kButtonHeight = 495, kButtonSpacing = 240;
// The grid is the window's width less this, as the window's own resizing keeps it.
constexpr double kRightMargin = 150;

void LayOut(DataEntryWindow& w) {
    const ui::TwipsLayout twips(w);
    ui::GridView* grid = w.gridView();
    // Every column without a horizontal scroll bar, the vertical one beside them.
    const int gridWidth = grid->sizeHint().width() + grid->verticalScrollBar()->sizeHint().width();
    grid->setGeometry(0, 0, gridWidth, twips.y(kGridHeight));
    const int top = twips.y(kGridHeight + kButtonGap);
    int left = gridWidth - twips.x(3 * kButtonWidth + 2 * kButtonSpacing);
    for (QPushButton* button : {w.helpButton(), w.settingsButton(), w.calculateButton()}) {
        button->setGeometry(left, top, twips.x(kButtonWidth), twips.y(kButtonHeight));
        left += twips.x(kButtonWidth + kButtonSpacing);
    }
    w.setFixedSize(gridWidth + twips.x(kRightMargin), top + twips.y(kButtonHeight + kButtonGap));
}

MultigroupFocus FocusOf(DataEntryWindow& w) { return static_cast<MultigroupInputWindow&>(w).comparisonFocus(); }

Calculation Calculate(DataEntryWindow& w) {
    Workbench& workbench = w.workbench();
    MultigroupOptions options = ReadMultigroupSettings(workbench);
    options.focus = FocusOf(w);
    ui::HideSettings<MultigroupSettingsDialog>(workbench);
    return Calculation{RunMultigroup(w.grid(), options, workbench.prompter(), workbench.reportContext()), {}};
}

DataEntryDesign Design() {
    DataEntryDesign d(Registration());
    d.objectName = QStringLiteral("frmMultigroupInput");
    d.caption = QString::fromUtf8(kWindowCaption);
    d.accessibleName = QStringLiteral("多组均数分析数据录入窗口");
    d.keySet = model::GridKeySet::SignedDecimals;
    d.gridToolTip = QStringLiteral("每列一组: 第1行填组名, 第2行起填该组数据(蓝线框), 最多10组, 每组最多300个数据");
    d.gridAccessibleName = QStringLiteral("各组数据表");
    d.gridAccessibleDescription = QStringLiteral("A至J列各一组, 第1行为组名, 第2至301行为数据");
    d.gridMarginTwips = kRightMargin;
    d.helpButton = {"cmdHelp", "在线帮助", "本模块的示例、使用方法、参数意义等"};
    d.settingsButton = {"cmdSet", "参数设置", "选择参照组、正常对照组及计算方法"};
    d.calculateButton = {"cmdCal", "计算", "按表中数据进行计算"};
    // The template is stored with the window: written once, kept while it is open.
    d.setUpGrid = [](model::InputGrid& grid) { WriteMultigroupTemplate(grid); };
    d.layOut = LayOut;
    d.calculate = Calculate;
    d.showSettings = [](DataEntryWindow& w) { ShowMultigroupSettings(w.workbench()); };
    d.helpBox = [](DataEntryWindow& w) -> std::optional<report::HelpBox> { return MultigroupHelpBox(FocusOf(w)); };
    d.options = [](DataEntryWindow& w) {
        MultigroupOptions options = ReadMultigroupSettings(w.workbench());
        options.focus = FocusOf(w);
        return MultigroupOptionsToJson(options);
    };
    d.applyOptions = [](DataEntryWindow& w, const nlohmann::json& json) {
        const auto options = std::get<MultigroupOptions>(MultigroupOptionsFromJson(json));
        LoadMultigroupSettings(w.workbench())->setOptions(options);
        static_cast<MultigroupInputWindow&>(w).setComparisonFocus(options.focus);
    };
    return d;
}

}  // namespace

const char* MultigroupWindowCaption(MultigroupFocus focus) {
    return focus == MultigroupFocus::AgainstReference ? kControlWindowCaption : kWindowCaption;
}

MultigroupInputWindow::MultigroupInputWindow(Workbench& workbench, QWidget* parent)
    : DataEntryWindow(workbench, Design(), parent) {
    connect(gridView()->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) keysOfRow(gridView()->gridModel()->cellAt(current).row);
            });
    keysOfRow(gridView()->activeCell().row);
}

void MultigroupInputWindow::setComparisonFocus(MultigroupFocus focus) {
    focus_ = focus;
    setWindowTitle(QString::fromUtf8(MultigroupWindowCaption(focus)));
}

void MultigroupInputWindow::keysOfRow(int row) {
    if (row == 1)
        gridView()->setKeySet(std::nullopt);
    else
        gridView()->setKeySet(model::GridKeySet::SignedDecimals);
}

}  // namespace tavelmark::multigroup::desktop

#include "moc_multigroup_input_window.cpp"
