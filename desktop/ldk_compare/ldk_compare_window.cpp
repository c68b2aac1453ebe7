#include "desktop/ldk_compare/ldk_compare_window.h"

#include <QCheckBox>
#include <QPushButton>

#include "analyses/ldk_compare/ldk_compare.h"
#include "analyses/ldk_compare/ldk_compare_options_codec.h"
#include "analyses/ldk_compare/ldk_compare_registration.h"
#include "ui/grid_view.h"
#include "ui/twips_layout.h"

namespace tavelmark::ldk_compare::desktop {

using ui::Calculation, ui::DataEntryDesign, ui::DataEntryWindow, ui::Workbench;

namespace {

// The window's design, in twips.
constexpr double kClientWidth = 4650, kClientHeight = 4035;
constexpr double kGridWidth = 4485, kGridHeight = 3105;
constexpr double kButtonTop = 3360, kButtonWidth = 1215, kButtonHeight = 495;
constexpr double kHelpLeft = 480, kCalculateLeft = 3000;
// 扩展结果 sits centred in the gap between the buttons.
constexpr double kExtendedLeft = kHelpLeft + kButtonWidth + 120;
constexpr double kExtendedWidth = kCalculateLeft - kExtendedLeft - 60;

void LayOut(DataEntryWindow& w) {
    const ui::TwipsLayout twips(w);
    w.setFixedSize(twips.size(kClientWidth, kClientHeight));
    w.gridView()->setGeometry(twips.rect(0, 0, kGridWidth, kGridHeight));
    w.helpButton()->setGeometry(twips.rect(kHelpLeft, kButtonTop, kButtonWidth, kButtonHeight));
    w.calculateButton()->setGeometry(twips.rect(kCalculateLeft, kButtonTop, kButtonWidth, kButtonHeight));
}

DataEntryDesign Design() {
    DataEntryDesign d(Registration());
    d.objectName = QStringLiteral("frmLDkInput");
    d.caption = QStringLiteral("LDk两两比较数据录入");
    d.keySet = model::GridKeySet::Decimals;
    d.gridToolTip = QStringLiteral("请在相应单元格(蓝线框)中录入原始数据！");
    d.gridAccessibleName = QStringLiteral("LD50与L95数据表");
    d.helpButton = {"cmdHelp", "在线帮助", "本模块的示例、使用方法、参数意义等"};
    d.calculateButton = {"cmdCal", "计算", "按表中数据进行计算"};
    d.gridMarginTwips = 50;
    d.setUpGrid = [](model::InputGrid& grid) { LoadLDkCompareWorkbook(grid); };
    d.layOut = LayOut;
    d.calculate = [](DataEntryWindow& w) {
        Workbench& workbench = w.workbench();
        LDkCompareOptions options;
        options.extended = static_cast<LDkCompareWindow&>(w).extendedCheck()->isChecked();
        return Calculation{RunLDkCompare(w.grid(), workbench.prompter(), workbench.reportContext(), options), {}};
    };
    d.helpBox = [](DataEntryWindow&) -> std::optional<report::HelpBox> { return LDkCompareHelpBox(); };
    d.options = [](DataEntryWindow& w) {
        LDkCompareOptions options;
        if (QCheckBox* extended = static_cast<LDkCompareWindow&>(w).extendedCheck())
            options.extended = extended->isChecked();
        return LDkCompareOptionsToJson(options);
    };
    d.applyOptions = [](DataEntryWindow& w, const nlohmann::json& options) {
        static_cast<LDkCompareWindow&>(w).extendedCheck()->setChecked(LDkCompareOptionsFromJson(options).extended);
    };
    return d;
}

}  // namespace

LDkCompareWindow::LDkCompareWindow(Workbench& workbench, QWidget* parent)
    : DataEntryWindow(workbench, Design(), parent) {
    extended_ = new QCheckBox(QStringLiteral("扩展结果"), this);
    extended_->setObjectName(QStringLiteral("chkExtended"));
    extended_->setAccessibleName(extended_->text());
    extended_->setToolTip(QStringLiteral("另加一个工作表: Holm校正的P值与各对LD50之比及其可信限"));
    extended_->setAccessibleDescription(extended_->toolTip());
    extended_->setGeometry(ui::TwipsLayout(*this).rect(kExtendedLeft, kButtonTop, kExtendedWidth, kButtonHeight));
    // Between the two buttons in the tab order too.
    setTabOrder(helpButton(), extended_);
    setTabOrder(extended_, calculateButton());
    connect(extended_, &QCheckBox::toggled, this, &DataEntryWindow::optionsChanged);
}

void LDkCompareWindow::writeTemplate() {
    WriteLDkCompareTemplate(grid());
    gridWritten();
}

}  // namespace tavelmark::ldk_compare::desktop

#include "moc_ldk_compare_window.cpp"
