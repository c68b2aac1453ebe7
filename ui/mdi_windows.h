#pragma once
// The analysis windows' life in the MDI area: one window of a kind at a time,
// found again by its class, shown in a fixed dialog frame, brought to the front.
#include <utility>

#include <QMdiArea>
#include <QMdiSubWindow>

namespace tavelmark::ui {

// The frame holding a window of the given class and that window; both null
// when none is open.
template <class Window>
std::pair<QMdiSubWindow*, Window*> FindSubWindow(QMdiArea* area) {
    for (QMdiSubWindow* sub : area->subWindowList())
        if (auto* window = qobject_cast<Window*>(sub->widget())) return {sub, window};
    return {nullptr, nullptr};
}

// A fixed dialog frame: a title and the close box, the main window's icon, no
// resizing; the frame and its window are deleted when closed, so the next use
// creates them anew.
QMdiSubWindow* AddFixedSubWindow(QMdiArea* area, QWidget* window);

// Restored if minimized, shown if hidden, in front of the others and active.
void ActivateSubWindow(QMdiArea* area, QMdiSubWindow* holder);

// Makes the frame holding this window the active one (nothing when the window
// is not in an MDI area): back to the grid after a refused input.
void ActivateFrameOf(QWidget* window);

}  // namespace tavelmark::ui
