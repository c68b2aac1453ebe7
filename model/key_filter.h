#pragma once
// Which keys a data-entry window lets into its input grid or text boxes.
#include <functional>
#include <string_view>

namespace tavelmark::model {

// Character filter of the numeric text boxes. Returns keyAscii when its
// character (compared without regard to case) is in `allowed`, or is backspace
// (8) while allowBackspace holds; otherwise calls beep and returns 0.
int FilterKeyAscii(int keyAscii, std::u16string_view allowed, bool allowBackspace,
                   const std::function<void()>& beep);

// The key sets of the grid key filter, one per kind of data-entry window.
enum class GridKeySet {
    WholeNumbers,    // two-group rates
    Decimals,        // Bliss LD50, LDk comparison
    SignedDecimals,  // two-group means
};

// True when the virtual-key code may reach the grid. A refused key beeps and
// empties the active cell (the window does that; this only decides).
bool GridKeyAccepted(GridKeySet set, int virtualKey);

// Windows virtual-key codes the filter speaks of.
namespace vk {
inline constexpr int Back = 8, Tab = 9, Return = 13, Shift = 16, Menu = 18, Capital = 20;
inline constexpr int Prior = 33, Next = 34, End = 35, Home = 36, Left = 37, Up = 38, Right = 39,
                     Down = 40;
inline constexpr int Delete = 46, Digit0 = 48, Digit9 = 57, KeyA = 65, KeyZ = 90;
inline constexpr int Numpad0 = 96, Numpad9 = 105, Multiply = 106, Add = 107, Subtract = 109,
                     Decimal = 110, Divide = 111, F1 = 112, F24 = 135, NumLock = 144;
inline constexpr int OemMinus = 189, OemPeriod = 190, ProcessKey = 229;
}  // namespace vk

}  // namespace tavelmark::model
