#include "ui/command_button.h"

#include <QPushButton>

namespace tavelmark::ui {

QPushButton* MakeCommandButton(QWidget* parent, const char* name, const char* caption,
                               const char* tooltip) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromUtf8(name));
    button->setToolTip(QString::fromUtf8(tooltip));
    button->setAccessibleName(button->text());
    button->setAccessibleDescription(button->toolTip());
    button->setAutoDefault(false);
    return button;
}

}  // namespace tavelmark::ui
