#include "desktop/potency/potency_settings_dialog.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>

#include "analyses/potency/potency_percent_text.h"
#include "ui/qt_text.h"
#include "ui/twips_layout.h"

namespace tavelmark::potency::desktop {

using ui::ToQString, ui::ToStdString;

namespace {

// A control's place in twips: left, top, width (at least what its caption
// needs in this font) and height.
struct Place {
    double left, top, width, height;
};

struct OptionDesign {
    const char* name;
    const char* caption;
    const char* toolTip;
    Place place;  // inside its frame
};

constexpr double kClientWidth = 5400, kClientHeight = 3735;
constexpr Place kLinkFrame{120, 120, 5160, 660}, kNaturalFrame{120, 900, 5160, 660};
constexpr OptionDesign kLinks[2] = {
    {"optProbit", "Probit(正态分布)", "几率单位模型: 反应率为对数剂量的正态分布函数", {240, 300, 2200, 300}},
    {"optLogit", "Logit(Logistic分布)", "Logit模型: 反应率为对数剂量的Logistic分布函数", {2700, 300, 2300, 300}},
};
constexpr OptionDesign kNatural[3] = {
    {"optNaturalNone", "不考虑", "不考虑自然反应(C = 0), 对照组不参与计算", {240, 300, 1300, 300}},
    {"optAbbott", "Abbott校正", "自然反应率固定为对照组的阳性率(Abbott校正)", {1640, 300, 1600, 300}},
    {"optEstimate", "作为参数估计", "自然反应率作为模型的参数, 与各直线一并估计(对照组进入似然函数)",
     {3340, 300, 1700, 300}},
};
constexpr Place kReferenceLabel{120, 1740, 1300, 300}, kReferenceBox{1440, 1680, 3840, 360};
constexpr Place kLDkLabel{120, 2220, 1300, 300}, kLDkBox{1440, 2160, 3480, 360}, kPercentLabel{5000, 2220, 280, 300};
constexpr Place kExtendedPlace{120, 2640, 3000, 360};
constexpr Place kConfirmPlace{4065, 3120, 1215, 495};

constexpr const char* kLDkRangeTitle = "数据超出范围！";
constexpr const char* kLDkRange = "其他LDk应为介于0与100之间(不含)的百分数,多个值以逗号分隔,请重新输入";

void PlaceWidget(QWidget* widget, const ui::TwipsLayout& twips, const Place& p) {
    widget->setGeometry(twips.x(p.left), twips.y(p.top), std::max(twips.x(p.width), widget->sizeHint().width()),
                        std::max(twips.y(p.height), widget->sizeHint().height()));
}

void Describe(QWidget* widget, const QString& name, const char* toolTip) {
    widget->setAccessibleName(name);
    if (*toolTip) {
        widget->setToolTip(QString::fromUtf8(toolTip));
        widget->setAccessibleDescription(widget->toolTip());
    }
}

QRadioButton* MakeOption(QGroupBox* frame, const OptionDesign& design, const ui::TwipsLayout& twips) {
    auto* option = new QRadioButton(QString::fromUtf8(design.caption), frame);
    option->setObjectName(QString::fromUtf8(design.name));
    Describe(option, option->text(), design.toolTip);
    PlaceWidget(option, twips, design.place);
    return option;
}

QGroupBox* MakeFrame(QWidget* parent, const char* name, const char* title, const Place& place,
                     const ui::TwipsLayout& twips) {
    auto* frame = new QGroupBox(QString::fromUtf8(title), parent);
    frame->setObjectName(QString::fromUtf8(name));
    frame->setAccessibleName(frame->title().remove(QLatin1Char('&')));
    frame->setGeometry(twips.x(place.left), twips.y(place.top), twips.x(place.width), twips.y(place.height));
    return frame;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const char* caption, QWidget* buddy) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(QString::fromUtf8(name));
    label->setAccessibleName(label->text().remove(QLatin1Char('&')));
    label->setBuddy(buddy);
    return label;
}

}  // namespace

PotencySettingsDialog::PotencySettingsDialog(report::Prompter& prompter, QWidget* parent)
    : ui::SettingsDialog(parent), prompter_(prompter) {
    setObjectName(QStringLiteral("frmPotencySetting"));
    setWindowTitle(QStringLiteral("半数量斜率两两对比参数设置"));
    setAccessibleName(windowTitle());
    const ui::TwipsLayout twips(*this);

    fraLink_ = MakeFrame(this, "fraLink", "剂量反应模型(&M)", kLinkFrame, twips);
    optProbit_ = MakeOption(fraLink_, kLinks[0], twips);
    optLogit_ = MakeOption(fraLink_, kLinks[1], twips);
    optProbit_->setChecked(true);

    fraNatural_ = MakeFrame(this, "fraNatural", "自然反应率(&N)", kNaturalFrame, twips);
    for (int i = 0; i < 3; ++i) optNatural_[i] = MakeOption(fraNatural_, kNatural[i], twips);
    optNatural_[0]->setChecked(true);

    cboReference_ = new QComboBox(this);
    cboReference_->setObjectName(QStringLiteral("cboReference"));
    cboReference_->setEditable(true);
    cboReference_->setInsertPolicy(QComboBox::NoInsert);
    cboReference_->lineEdit()->setPlaceholderText(QStringLiteral("第一种制剂"));
    lblReference_ = MakeLabel(this, "lblReference", "参比制剂(&R):", cboReference_);
    Describe(cboReference_, lblReference_->accessibleName(),
             "其他制剂与之比较的制剂: 从表中的制剂中选择或直接输入名称; 留空为第一种制剂");
    cboReference_->lineEdit()->setAccessibleName(cboReference_->accessibleName());
    PlaceWidget(lblReference_, twips, kReferenceLabel);
    PlaceWidget(cboReference_, twips, kReferenceBox);

    txtLDk_ = new QLineEdit(this);
    txtLDk_->setObjectName(QStringLiteral("txtLDk"));
    // Digits, points and the separators; anything else is not typed.
    txtLDk_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9., ，、]*")), txtLDk_));
    lblLDk_ = MakeLabel(this, "lblLDk", "其他LDk(&K):", txtLDk_);
    Describe(txtLDk_, lblLDk_->accessibleName(),
             "除LD10、LD50、LD90外另需计算的LDk, 如 5, 95 (百分数, 介于0与100之间, 以逗号分隔)");
    lblPercent_ = new QLabel(QStringLiteral("%"), this);
    lblPercent_->setObjectName(QStringLiteral("lblPercent"));
    lblPercent_->setAccessibleName(lblPercent_->text());
    PlaceWidget(lblLDk_, twips, kLDkLabel);
    PlaceWidget(txtLDk_, twips, kLDkBox);
    PlaceWidget(lblPercent_, twips, kPercentLabel);

    chkExtended_ = new QCheckBox(QStringLiteral("扩展结果"), this);
    chkExtended_->setObjectName(QStringLiteral("chkExtended"));
    Describe(chkExtended_, chkExtended_->text(),
             "另加一个工作表: 另一模型的拟合, 相对效价的Delta法与轮廓似然可信限, 平行性的Pearson差值统计量, 未作异质性校正的LDk比值可信限");
    PlaceWidget(chkExtended_, twips, kExtendedPlace);

    cmdOK_ = new QPushButton(QStringLiteral("确定"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setAccessibleName(cmdOK_->text());
    cmdOK_->setAutoDefault(false);
    PlaceWidget(cmdOK_, twips, kConfirmPlace);

    // The frames read first, then the boxes, 扩展结果 and 确定; the arrows
    // move between the options of one frame.
    setTabOrder(optProbit_, optLogit_);
    setTabOrder(optLogit_, optNatural_[0]);
    setTabOrder(optNatural_[0], optNatural_[1]);
    setTabOrder(optNatural_[1], optNatural_[2]);
    setTabOrder(optNatural_[2], cboReference_);
    setTabOrder(cboReference_, txtLDk_);
    setTabOrder(txtLDk_, chkExtended_);
    setTabOrder(chkExtended_, cmdOK_);
    setFixedSize(std::max(twips.x(kClientWidth), cmdOK_->geometry().right() + twips.x(120)),
                 std::max(twips.y(kClientHeight), cmdOK_->geometry().bottom() + twips.y(120)));

    connect(cmdOK_, &QPushButton::clicked, this, &PotencySettingsDialog::confirm);
}

QRadioButton* PotencySettingsDialog::naturalOption(NaturalResponseOption natural) const {
    return optNatural_[static_cast<int>(natural)];
}

void PotencySettingsDialog::setPreparationNames(const std::vector<std::string>& names) {
    const QString typed = cboReference_->currentText();
    cboReference_->clear();
    for (const std::string& name : names) cboReference_->addItem(ToQString(name));
    cboReference_->setEditText(typed);
}

PotencyOptions PotencySettingsDialog::options() const {
    PotencyOptions o;
    o.link = optLogit_->isChecked() ? numeric::QuantalLink::Logit : numeric::QuantalLink::Probit;
    for (int i = 0; i < 3; ++i)
        if (optNatural_[i]->isChecked()) o.natural = static_cast<NaturalResponseOption>(i);
    o.reference = ToStdString(cboReference_->currentText().trimmed());
    // 确定 lets only a good list through; a dialog discarded has none.
    o.extraLDk = LDkPercentList(ToStdString(txtLDk_->text())).value_or(std::vector<double>{});
    o.extended = chkExtended_->isChecked();
    return o;
}

void PotencySettingsDialog::setOptions(const PotencyOptions& o) {
    (o.link == numeric::QuantalLink::Logit ? optLogit_ : optProbit_)->setChecked(true);
    naturalOption(o.natural)->setChecked(true);
    cboReference_->setEditText(ToQString(o.reference));
    txtLDk_->setText(ToQString(LDkPercentListText(o.extraLDk)));
    chkExtended_->setChecked(o.extended);
}

QWidget* PotencySettingsDialog::firstControl() const { return optLogit_->isChecked() ? optLogit_ : optProbit_; }

void PotencySettingsDialog::confirm() {
    if (LDkPercentList(ToStdString(txtLDk_->text()))) {
        emit confirmed();
        return;
    }
    prompter_.message(kLDkRange, kLDkRangeTitle, report::MessageIcon::Critical);
    txtLDk_->setFocus();
    txtLDk_->selectAll();
}

}  // namespace tavelmark::potency::desktop

#include "moc_potency_settings_dialog.cpp"
