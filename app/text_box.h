#pragma once
// A modal message box for texts whose lines are joined by carriage returns:
// each carriage return starts a new line on screen.
#include <string_view>

#include <QMessageBox>

namespace tavelmark::app {

void ShowTextBox(QWidget* parent, std::string_view text, const QString& title, QMessageBox::Icon icon);

}  // namespace tavelmark::app
