#include "desktop/bliss/ldk_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

#include "analyses/bliss/ldk_calculator.h"
#include "desktop/bliss/percent_box.h"
#include "ui/qt_text.h"

namespace tavelmark::bliss::desktop {

using ui::ToQString, ui::ToStdString;

namespace {

struct BoxItem {
    const char* label;
    const char* toolTip;
};

const BoxItem kBoxes[4] = {
    {"请输入k值(0＜k＜100)", "请在此输入您要计算的k值,如95……"},
    {"LDk", "按您输入的k值计算得LDk"},
    {"L95(L-H)", "LDk的95%可信限(低限－高限)"},
    {"ML95", "LDk的平均可信限(95%)"},
};

}  // namespace

LDkWindow::LDkWindow(QWidget* parent) : QWidget(parent), beep_([] { QApplication::beep(); }) {
    setObjectName(QStringLiteral("frmLDk"));
    setWindowTitle(QStringLiteral("计算LDk"));
    setAccessibleName(windowTitle());

    for (int i = 0; i < 4; ++i) {
        labels_[i] = new QLabel(QString::fromUtf8(kBoxes[i].label), this);
        labels_[i]->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        labels_[i]->setAccessibleName(labels_[i]->text());
        boxes_[i] = new QLineEdit(this);
        boxes_[i]->setObjectName(QStringLiteral("TextBox%1").arg(i + 1));
        boxes_[i]->setToolTip(QString::fromUtf8(kBoxes[i].toolTip));
        boxes_[i]->setAccessibleName(labels_[i]->text());
        boxes_[i]->setAccessibleDescription(boxes_[i]->toolTip());
        labels_[i]->setBuddy(boxes_[i]);
        if (i > 0) boxes_[i]->setReadOnly(true);
    }
    frame1_ = new QGroupBox(QStringLiteral("计算结果"), this);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    frame1_->setAccessibleName(frame1_->title());
    auto* results = new QFormLayout(frame1_);
    for (int i = 1; i < 4; ++i) results->addRow(labels_[i], boxes_[i]);

    cmdExit_ = new QPushButton(QStringLiteral("退出"), this);
    cmdExit_->setObjectName(QStringLiteral("cmdExit"));
    cmdExit_->setAccessibleName(cmdExit_->text());
    cmdExit_->setAutoDefault(false);

    auto* input = new QHBoxLayout;
    input->addWidget(labels_[0]);
    input->addWidget(boxes_[0]);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdExit_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(input);
    layout->addWidget(frame1_);
    layout->addLayout(buttons);

    auto* filter = new PercentBoxFilter(boxes_[0], [this] { beep_(); });
    filter->setSelectAllOnFocus(false);
    connect(boxes_[0], &QLineEdit::textChanged, this, &LDkWindow::recompute);
    // 退出 closes the whole frame, which takes the fields with it.
    connect(cmdExit_, &QPushButton::clicked, this, [this] {
        if (auto* holder = qobject_cast<QMdiSubWindow*>(parentWidget()))
            holder->close();
        else
            close();
    });
}

QLineEdit* LDkWindow::textBox(int number) const { return boxes_[number - 1]; }

void LDkWindow::setHandOver(const BlissHandOver& line) {
    line_ = line;
    recompute();
}

void LDkWindow::recompute() {
    const LDkTexts texts = LDkTextsFor(line_, ToStdString(boxes_[0]->text()));
    boxes_[1]->setText(ToQString(texts.ldk));
    boxes_[2]->setText(ToQString(texts.l95));
    boxes_[3]->setText(ToQString(texts.ml95));
    if (texts.empty()) boxes_[0]->setFocus();
}

void LDkWindow::closeEvent(QCloseEvent* event) {
    emit finished();
    QWidget::closeEvent(event);
}

}  // namespace tavelmark::bliss::desktop

#include "moc_ldk_window.cpp"
