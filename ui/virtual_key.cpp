#include "ui/virtual_key.h"

#include <QKeyEvent>

#include "model/key_filter.h"

namespace tavelmark::ui {

namespace vk = model::vk;

namespace {

int KeypadKey(int qtKey) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return vk::Numpad0 + (qtKey - Qt::Key_0);
    switch (qtKey) {
        case Qt::Key_Asterisk: return vk::Multiply;
        case Qt::Key_Plus: return vk::Add;
        case Qt::Key_Minus: return vk::Subtract;
        case Qt::Key_Period:
        case Qt::Key_Comma: return vk::Decimal;  // the keypad's separator key
        case Qt::Key_Slash: return vk::Divide;
        default: return -1;  // navigation keys of the keypad: as the main keys
    }
}

}  // namespace

int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::KeypadModifier) {
        if (const int code = KeypadKey(qtKey); code >= 0) return code;
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return vk::Digit0 + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return vk::KeyA + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return vk::F1 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
        case Qt::Key_Backspace: return vk::Back;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return vk::Tab;
        case Qt::Key_Return:
        case Qt::Key_Enter: return vk::Return;
        case Qt::Key_Shift: return vk::Shift;
        case Qt::Key_Control: return 17;
        case Qt::Key_Alt:
        case Qt::Key_AltGr: return vk::Menu;
        case Qt::Key_Pause: return 19;
        case Qt::Key_CapsLock: return vk::Capital;
        case Qt::Key_Escape: return 27;
        case Qt::Key_Space: return 32;
        case Qt::Key_PageUp: return vk::Prior;
        case Qt::Key_PageDown: return vk::Next;
        case Qt::Key_End: return vk::End;
        case Qt::Key_Home: return vk::Home;
        case Qt::Key_Left: return vk::Left;
        case Qt::Key_Up: return vk::Up;
        case Qt::Key_Right: return vk::Right;
        case Qt::Key_Down: return vk::Down;
        case Qt::Key_Print: return 44;
        case Qt::Key_Insert: return 45;
        case Qt::Key_Delete: return vk::Delete;
        case Qt::Key_Meta: return 91;
        case Qt::Key_Menu: return 93;
        case Qt::Key_NumLock: return vk::NumLock;
        case Qt::Key_ScrollLock: return 145;
        // Shifted digits of a US keyboard.
        case Qt::Key_ParenRight: return vk::Digit0;
        case Qt::Key_Exclam: return vk::Digit0 + 1;
        case Qt::Key_At: return vk::Digit0 + 2;
        case Qt::Key_NumberSign: return vk::Digit0 + 3;
        case Qt::Key_Dollar: return vk::Digit0 + 4;
        case Qt::Key_Percent: return vk::Digit0 + 5;
        case Qt::Key_AsciiCircum: return vk::Digit0 + 6;
        case Qt::Key_Ampersand: return vk::Digit0 + 7;
        case Qt::Key_Asterisk: return vk::Digit0 + 8;
        case Qt::Key_ParenLeft: return vk::Digit0 + 9;
        // The punctuation keys (the OEM codes).
        case Qt::Key_Semicolon:
        case Qt::Key_Colon: return 186;
        case Qt::Key_Equal:
        case Qt::Key_Plus: return 187;
        case Qt::Key_Comma:
        case Qt::Key_Less: return 188;
        case Qt::Key_Minus:
        case Qt::Key_Underscore: return vk::OemMinus;
        case Qt::Key_Period:
        case Qt::Key_Greater: return vk::OemPeriod;
        case Qt::Key_Slash:
        case Qt::Key_Question: return 191;
        case Qt::Key_QuoteLeft:
        case Qt::Key_AsciiTilde: return 192;
        case Qt::Key_BracketLeft:
        case Qt::Key_BraceLeft: return 219;
        case Qt::Key_Backslash:
        case Qt::Key_Bar: return 220;
        case Qt::Key_BracketRight:
        case Qt::Key_BraceRight: return 221;
        case Qt::Key_Apostrophe:
        case Qt::Key_QuoteDbl: return 222;
        default: return 0;
    }
}

int VirtualKeyOf(const QKeyEvent& event) {
#ifdef Q_OS_WIN
    if (const quint32 native = event.nativeVirtualKey(); native != 0 && native < 256)
        return static_cast<int>(native);
#endif
    return VirtualKeyFromQt(event.key(), event.modifiers());
}

}  // namespace tavelmark::ui
