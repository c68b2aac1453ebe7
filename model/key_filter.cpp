#include "model/key_filter.h"

namespace tavelmark::model {

namespace {
char16_t Upper(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }
}  // namespace

int FilterKeyAscii(int keyAscii, std::u16string_view allowed, bool allowBackspace,
                   const std::function<void()>& beep) {
    const auto typed = Upper(static_cast<char16_t>(keyAscii & 0xFFFF));
    if (allowBackspace && typed == 8) return keyAscii;
    for (char16_t c : allowed)
        if (Upper(c) == typed) return keyAscii;
    if (beep) beep();
    return 0;
}

bool GridKeyAccepted(GridKeySet set, int key) {
    using namespace vk;
    const bool everyWindow = key == Back || key == Tab || key == Return || key == Shift ||
                             key == Menu || key == Capital || (key >= Prior && key <= Down) ||
                             (key >= Digit0 && key <= Digit9) || (key >= Numpad0 && key <= Numpad9) ||
                             key == NumLock || key == ProcessKey;
    if (everyWindow) return true;
    const bool decimalPoint = key == Decimal || key == OemPeriod;
    const bool minus = key == Subtract || key == OemMinus;
    switch (set) {
        case GridKeySet::WholeNumbers: return false;
        case GridKeySet::Decimals: return decimalPoint;
        case GridKeySet::SignedDecimals: return decimalPoint || minus;
    }
    return false;
}

}  // namespace tavelmark::model
