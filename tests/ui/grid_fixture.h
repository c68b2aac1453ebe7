#pragma once
// A small input grid as the templates make them, and typing into its view.
#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

#include "model/input_grid.h"
#include "ui/grid_view.h"

namespace tavelmark::test {

// A1:C4 reachable; B2:C4 boxed in blue with four decimals shown.
inline void WriteSmallTemplate(model::InputGrid& grid) {
    model::GridSheet& sheet = grid.activeSheet();
    sheet.setViewableRange(model::Range("A1:C4"));
    sheet.setNumberFormat(model::Range("B:C"), "#####0.0000");
    sheet.setFontSize(model::Range("A1:C4"), 10);
    sheet.setHorizontalAlignment(model::Range("A1:C4"), model::HAlign::Center);
    sheet.setBoxBorders(model::Range("B2:C4"), 5);
    sheet.setValue("B1", std::string("LD50"));
    sheet.setValue("C1", std::string("L95"));
    grid.select("B2");
    grid.notifyChanged();
}

// The open cell editor, or the view itself when none is open.
inline QWidget* KeyTarget(ui::GridView& view) {
    // Closed editors linger hidden until deleted; the open one is visible.
    for (auto* editor : view.viewport()->findChildren<QLineEdit*>())
        if (editor->isVisible()) return editor;
    return &view;
}

inline void TypeKey(ui::GridView& view, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(KeyTarget(view), key, modifiers);
}

// Types the text character by character as the user would, into the view
// first and then into the editor the first character opened. Characters
// beyond ASCII arrive as an input method composes and then commits them.
inline void TypeText(ui::GridView& view, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClicks(KeyTarget(view), QString(c));
            continue;
        }
        QInputMethodEvent composing(QString(c), {});
        QApplication::sendEvent(KeyTarget(view), &composing);
        QInputMethodEvent commit;
        commit.setCommitString(QString(c));
        QApplication::sendEvent(KeyTarget(view), &commit);
    }
}

inline void SelectCell(ui::GridView& view, const char* a1) {
    view.grid().select(a1);
    view.refresh();
}

}  // namespace tavelmark::test
