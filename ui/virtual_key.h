#pragma once
// The Windows virtual-key code of a Qt key press: what the grid key filter
// of the data-entry windows decides on.
#include <Qt>

class QKeyEvent;

namespace tavelmark::ui {

// 0 for keys that have no code (they are refused like any other unknown key).
// Shifted symbols give the code of their key on a US keyboard ('!' is the
// digit 1 key), keypad keys their keypad codes.
int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers);

// The platform's own code where it reports one (Windows), else the mapping above.
int VirtualKeyOf(const QKeyEvent& event);

}  // namespace tavelmark::ui
