#include "app/text_box.h"

#include "ui/qt_prompter.h"

namespace tavelmark::app {

void ShowTextBox(QWidget* parent, std::string_view text, const QString& title, QMessageBox::Icon icon) {
    QMessageBox box(icon, title, ui::MessageBoxText(text), QMessageBox::Ok, parent);
    // plain text keeps the four-space indents and the empty lines
    box.setTextFormat(Qt::PlainText);
    box.setAccessibleName(title);
    box.exec();
}

}  // namespace tavelmark::app
