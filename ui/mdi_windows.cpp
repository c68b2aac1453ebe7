#include "ui/mdi_windows.h"

namespace tavelmark::ui {

QMdiSubWindow* AddFixedSubWindow(QMdiArea* area, QWidget* window) {
    QMdiSubWindow* holder =
        area->addSubWindow(window, Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                       Qt::WindowCloseButtonHint);
    holder->setAttribute(Qt::WA_DeleteOnClose);
    holder->setWindowIcon(area->window()->windowIcon());
    holder->setFixedSize(holder->sizeHint());
    return holder;
}

void ActivateSubWindow(QMdiArea* area, QMdiSubWindow* holder) {
    holder->showNormal();
    holder->raise();
    area->setActiveSubWindow(holder);
}

void ActivateFrameOf(QWidget* window) {
    for (QWidget* w = window ? window->parentWidget() : nullptr; w; w = w->parentWidget())
        if (auto* frame = qobject_cast<QMdiSubWindow*>(w)) {
            if (frame->mdiArea()) frame->mdiArea()->setActiveSubWindow(frame);
            return;
        }
}

}  // namespace tavelmark::ui
