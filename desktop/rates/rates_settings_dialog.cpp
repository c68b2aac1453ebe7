#include "desktop/rates/rates_settings_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavelmark::rates::desktop {

using rates::RatesOptions;

namespace {

struct Item {
    const char* caption;
    const char* toolTip;
};

constexpr const char* kMethodsTip = "选择您需要的不同计算方法的结果";

const Item kItems[13] = {
    {"", ""},
    {"Fisher精确概率", ""},
    {"Pearson卡方", ""},
    {"Yates连续校正卡方", ""},
    {"Mantel-Haenszel卡方", kMethodsTip},
    {"t检验", kMethodsTip},
    {"U检验", kMethodsTip},
    {"U'(校正)检验", kMethodsTip},
    {"对数似然比检验", kMethodsTip},
    {"例数估算", "预设4种不同的把握度,估算达P≤0.05所需的最小例数"},
    {"阳性率及可信限", "分别计算两样本的阳性率及其相应的95%可信限"},
    {"比数与必数比", "分别显示两组的比数,比数比,相对危险度"},
    {"等效性检验", "预设6种不同的等效标准进行双向单侧t检验"},
};

constexpr int kFirstOptional = RatesOptions::kFirstOptionalItem;
constexpr int kLast = RatesOptions::kLastItem;

}  // namespace

RatesSettingsDialog::RatesSettingsDialog(QWidget* parent) : ui::SettingsDialog(parent) {
    setObjectName(QStringLiteral("frmChiSetting"));
    setWindowTitle(QStringLiteral("智能化两组有效率分析(2×2卡方法)参数设置"));
    setAccessibleName(windowTitle());

    lblTitle_ = new QLabel(QStringLiteral("以下的运算结果栏中,请选择需要显示的项目:"), this);
    lblTitle_->setObjectName(QStringLiteral("lblTitle"));
    lblTitle_->setAccessibleName(lblTitle_->text());

    frame1_ = new QGroupBox(QStringLiteral("计算结果"), this);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    frame1_->setToolTip(QString::fromUtf8(kMethodsTip));
    frame1_->setAccessibleName(frame1_->title());

    for (int i = 1; i <= kLast; ++i) {
        auto* box = new QCheckBox(QString::fromUtf8(kItems[i].caption), frame1_);
        box->setObjectName(QStringLiteral("chkP%1").arg(i));
        box->setProperty("index", i);
        box->setAccessibleName(box->text());
        if (*kItems[i].toolTip) {
            box->setToolTip(QString::fromUtf8(kItems[i].toolTip));
            box->setAccessibleDescription(box->toolTip());
        }
        chkP_[static_cast<std::size_t>(i)] = box;
    }
    // Always reported: the third (grey) state, not to be changed or tabbed to.
    for (int i = 1; i < kFirstOptional; ++i) {
        chkP(i)->setTristate(true);
        chkP(i)->setCheckState(Qt::PartiallyChecked);
        chkP(i)->setEnabled(false);
        chkP(i)->setFocusPolicy(Qt::NoFocus);
    }

    chkAll_ = new QCheckBox(QStringLiteral("全选"), frame1_);
    chkAll_->setObjectName(QStringLiteral("chkAll"));
    chkAll_->setToolTip(QStringLiteral("选择全部项目"));
    chkAll_->setAccessibleName(chkAll_->text());
    chkAll_->setAccessibleDescription(chkAll_->toolTip());

    chkExtended_ = new QCheckBox(QStringLiteral("扩展结果"), this);
    chkExtended_->setObjectName(QStringLiteral("chkExtended"));
    chkExtended_->setToolTip(QStringLiteral("另加一个工作表: 率差、RR、OR及其可信限, mid-P, NNT"));
    chkExtended_->setAccessibleName(chkExtended_->text());
    chkExtended_->setAccessibleDescription(chkExtended_->toolTip());

    cmdSetting_ = new QPushButton(QStringLiteral("确定"), this);
    cmdSetting_->setObjectName(QStringLiteral("cmdSetting"));
    cmdSetting_->setAccessibleName(cmdSetting_->text());
    cmdSetting_->setAutoDefault(false);

    // One column with 1, 2, 3, 4, then 5|6 and 7|8; a second one with 9 to 12
    // and 全选 below them.
    auto* items = new QGridLayout(frame1_);
    for (int i = 1; i <= 4; ++i) items->addWidget(chkP(i), i - 1, 0, 1, 2);
    items->addWidget(chkP(5), 4, 0);
    items->addWidget(chkP(6), 4, 1);
    items->addWidget(chkP(7), 5, 0);
    items->addWidget(chkP(8), 5, 1);
    for (int i = 9; i <= 12; ++i) items->addWidget(chkP(i), i - 9, 2);
    items->addWidget(chkAll_, 5, 2);
    items->setColumnMinimumWidth(2, 0);
    items->setHorizontalSpacing(18);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSetting_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblTitle_);
    layout->addWidget(frame1_);
    layout->addWidget(chkExtended_);
    layout->addLayout(buttons);

    QWidget* previous = chkP(kFirstOptional);
    for (int i = kFirstOptional + 1; i <= kLast; ++i) {
        setTabOrder(previous, chkP(i));
        previous = chkP(i);
    }
    setTabOrder(previous, chkAll_);
    setTabOrder(chkAll_, chkExtended_);
    setTabOrder(chkExtended_, cmdSetting_);

    // A change made by the program raises the same handling as a click; a
    // state set to what it already is raises nothing (stateChanged does both).
    for (int i = kFirstOptional; i <= kLast; ++i)
        connect(chkP(i), &QCheckBox::stateChanged, this, &RatesSettingsDialog::itemChanged);
    connect(chkAll_, &QCheckBox::stateChanged, this, &RatesSettingsDialog::allChanged);
    connect(cmdSetting_, &QPushButton::clicked, this, [this] {
        confirming_ = true;
        emit confirmed();
        confirming_ = false;
    });
}

RatesOptions RatesSettingsDialog::options() const {
    RatesOptions options;
    for (int i = kFirstOptional; i <= kLast; ++i) options.setItem(i, chkP(i)->isChecked());
    options.extended = chkExtended_->isChecked();
    return options;
}

void RatesSettingsDialog::setItemChecked(int index, bool checked) {
    if (index >= kFirstOptional && index <= kLast) chkP(index)->setChecked(checked);
}

// 全选 checked: it is disabled and every optional item is checked; unchecked
// by a click it does nothing (the items keep their states).
void RatesSettingsDialog::allChanged() {
    if (!chkAll_->isChecked()) return;
    chkAll_->setEnabled(false);
    for (int i = kFirstOptional; i <= kLast; ++i) chkP(i)->setChecked(true);
}

// Any optional item changed: 全选 follows whether all nine are checked, so it
// is checked and disabled exactly when they are.
void RatesSettingsDialog::itemChanged() {
    chkAll_->setEnabled(true);
    int checked = 0;
    for (int i = kFirstOptional; i <= kLast; ++i) checked += chkP(i)->isChecked();
    chkAll_->setChecked(checked == kLast - kFirstOptional + 1);
    if (checked == kLast - kFirstOptional + 1) chkAll_->setEnabled(false);
}

QWidget* RatesSettingsDialog::firstControl() const { return chkP(RatesOptions::kFirstOptionalItem); }

}  // namespace tavelmark::rates::desktop

#include "moc_rates_settings_dialog.cpp"
