#include "desktop/multigroup/multigroup_settings_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/qt_text.h"

namespace tavelmark::multigroup::desktop {

using ui::ToQString, ui::ToStdString;

namespace {

// The first entry of each list stands for the empty name: the default rule
// for the reference group, no comparison for the normal control.
constexpr const char* kDefaultReference = "默认: 组名含“模型”的第一组, 否则第一列";
constexpr const char* kNoNormalControl = "无: 不作此比较";
constexpr const char* kNotInGrid = " (表中无此组)";

QComboBox* MakeList(QWidget* parent, const char* objectName, const char* first, const char* name,
                    const char* toolTip) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromUtf8(objectName));
    list->addItem(QString::fromUtf8(first), QString());
    list->setAccessibleName(QString::fromUtf8(name));
    list->setToolTip(QString::fromUtf8(toolTip));
    list->setAccessibleDescription(list->toolTip());
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return list;
}

QString Chosen(const QComboBox* list) { return list->currentData().toString(); }

// Selects the entry of that name, adding it (marked) when the list lacks it.
void Choose(QComboBox* list, const QString& name) {
    int index = list->findData(name);
    if (index < 0) {
        list->addItem(name + QString::fromUtf8(kNotInGrid), name);
        index = list->count() - 1;
    }
    list->setCurrentIndex(index);
}

// Without the signals of the passing states: they are not the user's choices.
void Refill(QComboBox* list, const std::vector<std::string>& headings) {
    const QSignalBlocker quiet(list);
    const QString chosen = Chosen(list);
    while (list->count() > 1) list->removeItem(1);
    for (const std::string& heading : headings) list->addItem(ToQString(heading), ToQString(heading));
    Choose(list, chosen);
}

}  // namespace

MultigroupSettingsDialog::MultigroupSettingsDialog(QWidget* parent) : ui::SettingsDialog(parent) {
    setObjectName(QStringLiteral("frmMultigroupSetting"));
    setWindowTitle(QStringLiteral("多组均数分析参数设置"));
    setAccessibleName(windowTitle());

    lblTitle_ = new QLabel(QStringLiteral("请选择参照组、正常对照组及计算方法:"), this);
    lblTitle_->setObjectName(QStringLiteral("lblTitle"));
    lblTitle_->setAccessibleName(lblTitle_->text());

    cboReference_ = MakeList(this, "cboReference", kDefaultReference, "参照组",
                             "各组与之比较的组(通常为模型组), 从表中第1行的组名中选择");
    lblReference_ = new QLabel(QStringLiteral("参照组(&R):"), this);
    lblReference_->setObjectName(QStringLiteral("lblReference"));
    lblReference_->setAccessibleName(QStringLiteral("参照组"));
    lblReference_->setBuddy(cboReference_);

    cboNormalControl_ = MakeList(this, "cboNormalControl", kNoNormalControl, "正常对照组",
                                 "与参照组比较的正常(空白)对照组, 报告与图中以#标记");
    lblNormalControl_ = new QLabel(QStringLiteral("正常对照组(&N):"), this);
    lblNormalControl_->setObjectName(QStringLiteral("lblNormalControl"));
    lblNormalControl_->setAccessibleName(QStringLiteral("正常对照组"));
    lblNormalControl_->setBuddy(cboNormalControl_);

    chkUnequal_ = new QCheckBox(QStringLiteral("始终按方差不齐处理(&W)"), this);
    chkUnequal_->setObjectName(QStringLiteral("chkUnequalVariances"));
    chkUnequal_->setAccessibleName(QStringLiteral("始终按方差不齐处理"));
    chkUnequal_->setToolTip(QStringLiteral("不论方差齐性检验的结果, 均用Welch方差分析、Games-Howell法及Šidák校正的Welch t检验"));
    chkUnequal_->setAccessibleDescription(chkUnequal_->toolTip());

    chkExtended_ = new QCheckBox(QStringLiteral("扩展结果(&E)"), this);
    chkExtended_->setObjectName(QStringLiteral("chkExtended"));
    chkExtended_->setAccessibleName(QStringLiteral("扩展结果"));
    chkExtended_->setToolTip(QStringLiteral("另加一个工作表: 每对组的全部多重比较方法, Dunnett临界值, η²及其90%可信限"));
    chkExtended_->setAccessibleDescription(chkExtended_->toolTip());

    cmdSetting_ = new QPushButton(QStringLiteral("确定"), this);
    cmdSetting_->setObjectName(QStringLiteral("cmdSetting"));
    cmdSetting_->setAccessibleName(cmdSetting_->text());
    cmdSetting_->setAutoDefault(false);

    auto* groups = new QGridLayout;
    groups->addWidget(lblReference_, 0, 0);
    groups->addWidget(cboReference_, 0, 1);
    groups->addWidget(lblNormalControl_, 1, 0);
    groups->addWidget(cboNormalControl_, 1, 1);
    groups->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSetting_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblTitle_);
    layout->addLayout(groups);
    layout->addWidget(chkUnequal_);
    layout->addWidget(chkExtended_);
    layout->addLayout(buttons);

    setTabOrder(cboReference_, cboNormalControl_);
    setTabOrder(cboNormalControl_, chkUnequal_);
    setTabOrder(chkUnequal_, chkExtended_);
    setTabOrder(chkExtended_, cmdSetting_);

    connect(cboReference_, &QComboBox::currentIndexChanged, this,
            [this] { keepApart(cboReference_, cboNormalControl_); });
    connect(cboNormalControl_, &QComboBox::currentIndexChanged, this,
            [this] { keepApart(cboNormalControl_, cboReference_); });
    connect(cmdSetting_, &QPushButton::clicked, this, [this] { emit confirmed(); });
}

void MultigroupSettingsDialog::offerHeadings(const std::vector<std::string>& headings) {
    Refill(cboReference_, headings);
    Refill(cboNormalControl_, headings);
}

MultigroupOptions MultigroupSettingsDialog::options() const {
    MultigroupOptions o;
    o.reference = ToStdString(Chosen(cboReference_));
    o.normalControl = ToStdString(Chosen(cboNormalControl_));
    o.alwaysUnequalVariances = chkUnequal_->isChecked();
    o.extended = chkExtended_->isChecked();
    return o;
}

void MultigroupSettingsDialog::setOptions(const MultigroupOptions& o) {
    const QSignalBlocker quietReference(cboReference_), quietNormal(cboNormalControl_);
    Choose(cboReference_, ToQString(o.reference));
    Choose(cboNormalControl_, ToQString(o.normalControl));
    chkUnequal_->setChecked(o.alwaysUnequalVariances);
    chkExtended_->setChecked(o.extended);
}

void MultigroupSettingsDialog::keepApart(QComboBox* chosen, QComboBox* other) {
    const QString name = Chosen(chosen);
    if (!name.isEmpty() && Chosen(other) == name) other->setCurrentIndex(0);
}

QWidget* MultigroupSettingsDialog::firstControl() const { return cboReference_; }

}  // namespace tavelmark::multigroup::desktop

#include "moc_multigroup_settings_dialog.cpp"
