#include "desktop/bliss/bliss_settings_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "analyses/bliss/bliss_messages.h"
#include "analyses/bliss/leading_number.h"
#include "desktop/bliss/percent_box.h"
#include "ui/qt_text.h"

namespace tavelmark::bliss::desktop {

using ui::ToQString, ui::ToStdString;

namespace {

struct CheckItem {
    const char* caption;
    const char* toolTip;
};

const CheckItem kChecks[6] = {
    {"正规Bliss法计算结果", ""},
    {"中间结果", "是否显示实验几率单位、预期几率单位等中间结果"},
    {"Feiller氏Sx50校正", "回归显著性指数(g)小于0.1,检验采用Feiller氏可信限校正"},
    {"异质性的全面校正", "是否显示异质性全面校正结果"},
    {"其他阳性率的LDk", "是否计算其他LDk,如LD95……"},
    {"回归几率单位(Yr)对对数剂量(X)作图",
     "是否查看Yr对X的拟合直线图(若中间结果未被选中则无法显示该图)"},
};

}  // namespace

BlissSettingsDialog::BlissSettingsDialog(report::Prompter& prompter, QWidget* parent)
    : ui::SettingsDialog(parent), prompter_(prompter), beep_([] { QApplication::beep(); }) {
    setObjectName(QStringLiteral("frmBlissSetting"));
    setWindowTitle(QStringLiteral("Bliss法(正规LD50计算)参数设置"));
    setAccessibleName(windowTitle());

    label3_ = new QLabel(QStringLiteral("请输入本底死亡率(0-100)%"), this);
    label3_->setObjectName(QStringLiteral("Label3"));
    txtBaseValue_ = new QLineEdit(QStringLiteral("0"), this);
    txtBaseValue_->setObjectName(QStringLiteral("txtBaseValue"));
    txtBaseValue_->setToolTip(QStringLiteral("请在此输入本底死亡率,介于0-100%之间"));
    txtBaseValue_->setFont(QFont(QStringLiteral("宋体"), font().pointSize()));
    txtBaseValue_->setAccessibleName(label3_->text());
    txtBaseValue_->setAccessibleDescription(txtBaseValue_->toolTip());
    txtBaseValue_->setMaximumWidth(80);
    label3_->setBuddy(txtBaseValue_);
    label2_ = new QLabel(QStringLiteral("%"), this);
    label2_->setObjectName(QStringLiteral("Label2"));
    label2_->setFont(QFont(QStringLiteral("Times New Roman"), font().pointSize()));
    label1_ = new QLabel(QStringLiteral("以下的运算结果栏中,请选择需要显示的项目:"), this);
    label1_->setObjectName(QStringLiteral("Label1"));
    for (QLabel* label : {label3_, label2_, label1_}) label->setAccessibleName(label->text());

    frame2_ = new QGroupBox(QStringLiteral("计算结果"), this);
    frame2_->setObjectName(QStringLiteral("Frame2"));
    frame2_->setAccessibleName(frame2_->title());
    auto* checkLayout = new QVBoxLayout(frame2_);
    for (int i = 0; i < 6; ++i) {
        auto* box = new QCheckBox(QString::fromUtf8(kChecks[i].caption), frame2_);
        box->setObjectName(QStringLiteral("Check%1").arg(i + 1));
        box->setAccessibleName(box->text());
        if (*kChecks[i].toolTip) {
            box->setToolTip(QString::fromUtf8(kChecks[i].toolTip));
            box->setAccessibleDescription(box->toolTip());
        }
        checkLayout->addWidget(box);
        checks_[i] = box;
    }
    // The main table is always written: the grey third state, not to be changed.
    checks_[0]->setTristate(true);
    checks_[0]->setCheckState(Qt::PartiallyChecked);
    checks_[0]->setEnabled(false);
    checks_[0]->setFocusPolicy(Qt::NoFocus);

    extended_ = new QCheckBox(QStringLiteral("扩展结果"), this);
    extended_->setObjectName(QStringLiteral("chkExtended"));
    extended_->setAccessibleName(extended_->text());
    extended_->setToolTip(QStringLiteral("另加一个工作表: 最大似然概率单位与logit模型、常用LDk表"));
    extended_->setAccessibleDescription(extended_->toolTip());

    cmdSet_ = new QPushButton(QStringLiteral("确定"), this);
    cmdSet_->setObjectName(QStringLiteral("cmdSet"));
    cmdSet_->setAccessibleName(cmdSet_->text());
    cmdSet_->setAutoDefault(false);

    auto* baseRow = new QHBoxLayout;
    baseRow->addWidget(label3_);
    baseRow->addWidget(txtBaseValue_);
    baseRow->addWidget(label2_);
    baseRow->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSet_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(baseRow);
    layout->addWidget(label1_);
    layout->addWidget(frame2_);
    layout->addWidget(extended_);
    layout->addLayout(buttons);

    new PercentBoxFilter(txtBaseValue_, [this] { beep_(); });
    connect(txtBaseValue_, &QLineEdit::textChanged, this, &BlissSettingsDialog::baseValueChanged);
    connect(cmdSet_, &QPushButton::clicked, this, &BlissSettingsDialog::confirmed);
}

void BlissSettingsDialog::setBeep(std::function<void()> beep) { beep_ = std::move(beep); }

QWidget* BlissSettingsDialog::firstControl() const { return txtBaseValue_; }

BlissOptions BlissSettingsDialog::options() const {
    BlissOptions o;
    o.backgroundText = ToStdString(txtBaseValue_->text());
    o.showIntermediate = check(2)->isChecked();
    o.showFieller = check(3)->isChecked();
    o.showHeterogeneity = check(4)->isChecked();
    o.openLDkCalculator = check(5)->isChecked();
    o.drawChart = check(6)->isChecked();
    o.extended = extended_->isChecked();
    return o;
}

void BlissSettingsDialog::setOptions(const BlissOptions& o) {
    txtBaseValue_->setText(ToQString(o.backgroundText));
    check(2)->setChecked(o.showIntermediate);
    check(3)->setChecked(o.showFieller);
    check(4)->setChecked(o.showHeterogeneity);
    check(5)->setChecked(o.openLDkCalculator);
    check(6)->setChecked(o.drawChart);
    extended_->setChecked(o.extended);
}

// 100 % and above cannot be a background mortality: say so and start again
// from 0 with the text selected.
void BlissSettingsDialog::baseValueChanged() {
    if (LeadingNumber(ToStdString(txtBaseValue_->text())) < 100) return;
    prompter_.message(bliss::text::kBackgroundRange, bliss::text::kBackgroundRangeTitle,
                      report::MessageIcon::Critical);
    txtBaseValue_->setText(QStringLiteral("0"));
    txtBaseValue_->setFocus();
    txtBaseValue_->selectAll();
}

}  // namespace tavelmark::bliss::desktop

#include "moc_bliss_settings_dialog.cpp"
