#include "desktop/means/print_show_dialog.h"

#include <algorithm>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "analyses/means/means_sections.h"
#include "ui/twips_layout.h"

namespace tavelmark::means::desktop {

namespace {

struct CheckDesign {
    const char* caption;
    double left, top, width;
};
// Positions in twips; every box is 495 high.
constexpr CheckDesign kChecks[10] = {
    {"", 0, 0, 0},
    {"计算结果", 360, 450, 1215},
    {"方法推荐", 360, 900, 1215},
    // Check3 to Check9: the report's optional sections, captioned from
    // kMeansSections.
    {nullptr, 360, 1350, 1695},
    {nullptr, 360, 1800, 1215},
    {nullptr, 360, 2250, 1215},
    {nullptr, 2160, 450, 1215},
    {nullptr, 2160, 900, 1335},
    {nullptr, 2160, 1350, 1215},
    {nullptr, 2160, 1800, 1455},
};
// 扩展结果 takes the free place below the second column.
constexpr CheckDesign kExtendedCheck{"扩展结果", 2160, 2250, 1215};
constexpr double kBoxHeight = 495;
constexpr double kClientWidth = 3900, kClientHeight = 3500;

}  // namespace

PrintShowDialog::PrintShowDialog(QWidget* parent) : ui::SettingsDialog(parent) {
    setObjectName(QStringLiteral("frmPrintShow"));
    setWindowTitle(QStringLiteral("请选择需要计算的结果项"));
    setAccessibleName(windowTitle());
    const ui::TwipsLayout twips(*this);
    int clientWidth = twips.x(kClientWidth);

    label1_ = new QLabel(QStringLiteral("以下的运算结果栏中,请选择需要显示的项目:"), this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setAccessibleName(label1_->text());
    label1_->setGeometry(twips.x(120), twips.y(120), twips.x(3600), twips.y(180) + 4);

    for (int number = 1; number <= 9; ++number) {
        const CheckDesign& design = kChecks[number];
        const char* caption = design.caption;
        for (const auto& section : means::kMeansSections)
            if (section.checkBox == number) caption = section.caption;
        auto* box = new QCheckBox(QString::fromUtf8(caption), this);
        box->setObjectName(QStringLiteral("Check%1").arg(number));
        box->setAccessibleName(box->text());
        // At least as wide as its caption needs in this font ("非参检验(W-M-W法)").
        box->setGeometry(twips.x(design.left), twips.y(design.top),
                         std::max(twips.x(design.width), box->sizeHint().width()), twips.y(kBoxHeight));
        // The main table and the recommendation are always written.
        if (number <= 2) {
            box->setChecked(true);
            box->setEnabled(false);
        }
        checks_[static_cast<std::size_t>(number)] = box;
    }

    extended_ = new QCheckBox(QString::fromUtf8(kExtendedCheck.caption), this);
    extended_->setObjectName(QStringLiteral("chkExtended"));
    extended_->setAccessibleName(extended_->text());
    extended_->setToolTip(QStringLiteral("另加一个工作表: 均数差、效应量、Hodges-Lehmann位移与精确秩和检验"));
    extended_->setAccessibleDescription(extended_->toolTip());
    extended_->setGeometry(twips.x(kExtendedCheck.left), twips.y(kExtendedCheck.top),
                           std::max(twips.x(kExtendedCheck.width), extended_->sizeHint().width()), twips.y(kBoxHeight));

    command1_ = new QPushButton(QStringLiteral("确定"), this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setAccessibleName(command1_->text());
    command1_->setGeometry(twips.x(1268), twips.y(2800), twips.x(1215), twips.y(kBoxHeight));
    command1_->setAutoDefault(false);
    connect(command1_, &QPushButton::clicked, this, [this] { emit confirmed(); });
    for (QCheckBox* box : checks_)
        if (box) clientWidth = std::max(clientWidth, box->geometry().right() + twips.x(120));
    clientWidth = std::max(clientWidth, extended_->geometry().right() + twips.x(120));
    setFixedSize(clientWidth, twips.y(kClientHeight));
}

means::MeansOptions PrintShowDialog::options() const {
    auto on = [this](int number) { return check(number)->isChecked(); };
    means::MeansOptions o;
    for (const auto& section : means::kMeansSections) o.*section.chosen = on(section.checkBox);
    o.extended = extended_->isChecked();
    return o;
}

void PrintShowDialog::setOptions(const means::MeansOptions& o) {
    for (const auto& section : means::kMeansSections) check(section.checkBox)->setChecked(o.*section.chosen);
    extended_->setChecked(o.extended);
}

// The first of the sections a user may choose.
QWidget* PrintShowDialog::firstControl() const { return check(means::kMeansSections.front().checkBox); }

}  // namespace tavelmark::means::desktop

#include "moc_print_show_dialog.cpp"
