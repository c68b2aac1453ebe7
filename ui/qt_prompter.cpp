#include "ui/qt_prompter.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

#include "ui/qt_text.h"

namespace tavelmark::ui {

using report::MessageIcon;

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Critical: return QMessageBox::Critical;
        case MessageIcon::Exclamation: return QMessageBox::Warning;
        case MessageIcon::Question: return QMessageBox::Question;
        case MessageIcon::Information: return QMessageBox::Information;
        case MessageIcon::None: return QMessageBox::NoIcon;
    }
    return QMessageBox::NoIcon;
}

// A busy pointer set over the application would also sit over the message
// box; the user must see the normal pointer while the box waits for them.
class NormalPointerWhileOpen {
public:
    NormalPointerWhileOpen() {
        if (QGuiApplication::overrideCursor()) {
            QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
            pushed_ = true;
        }
    }
    ~NormalPointerWhileOpen() {
        if (pushed_) QGuiApplication::restoreOverrideCursor();
    }
    NormalPointerWhileOpen(const NormalPointerWhileOpen&) = delete;
    NormalPointerWhileOpen& operator=(const NormalPointerWhileOpen&) = delete;

private:
    bool pushed_ = false;
};

}  // namespace

QString MessageBoxText(std::string_view text) {
    QString lines = ToQString(text);
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(u'\r', u'\n');
    return lines;
}

QtPrompter::QtPrompter(QWidget* dialogParent, std::function<void(bool busy)> setBusy)
    : dialogParent_(dialogParent), setBusy_(std::move(setBusy)) {}

void QtPrompter::message(std::string_view text, std::string_view title, MessageIcon icon) {
    NormalPointerWhileOpen pointer;
    QMessageBox box(BoxIcon(icon), ToQString(title), MessageBoxText(text), QMessageBox::Ok,
                    dialogParent_);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}

bool QtPrompter::ask(std::string_view text, std::string_view title, MessageIcon icon) {
    NormalPointerWhileOpen pointer;
    QMessageBox box(BoxIcon(icon), ToQString(title), MessageBoxText(text),
                    QMessageBox::Yes | QMessageBox::No, dialogParent_);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
    return box.exec() == QMessageBox::Yes;
}

void QtPrompter::setStatusBusy() {
    if (setBusy_) setBusy_(true);
}

void QtPrompter::setStatusReady() {
    if (setBusy_) setBusy_(false);
}

void QtPrompter::showGridSelection(const model::RangeRef&) {}

}  // namespace tavelmark::ui
