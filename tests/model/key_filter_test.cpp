#include <gtest/gtest.h>

#include "model/key_filter.h"

namespace tavelmark::model {
namespace {

TEST(FilterKeyAscii, LetsDigitsPointAndBackspaceThroughAndBeepsOtherwise) {
    struct Case {
        int key;
        int expected;
        int beeps;
    };
    const Case cases[] = {
        {'7', '7', 0}, {'.', '.', 0}, {8, 8, 0}, {'a', 0, 1}, {'-', 0, 1}, {' ', 0, 1},
    };
    for (const auto& c : cases) {
        int beeps = 0;
        EXPECT_EQ(FilterKeyAscii(c.key, u"0123456789.", true, [&] { ++beeps; }), c.expected) << c.key;
        EXPECT_EQ(beeps, c.beeps) << c.key;
    }
}

TEST(FilterKeyAscii, ComparesWithoutCaseAndHonoursTheBackspaceFlag) {
    EXPECT_EQ(FilterKeyAscii('e', u"E", false, {}), 'e');
    EXPECT_EQ(FilterKeyAscii('E', u"e", false, {}), 'E');
    EXPECT_EQ(FilterKeyAscii(8, u"0123456789.", false, {}), 0);
}

TEST(GridKeyAccepted, EachWindowHasItsOwnSet) {
    using enum GridKeySet;
    struct Case {
        int key;
        bool whole, decimals, signedDecimals;
    };
    const Case cases[] = {
        {vk::Digit0 + 7, true, true, true},      {vk::Numpad0 + 3, true, true, true},
        {vk::Left, true, true, true},            {vk::Return, true, true, true},
        {vk::Tab, true, true, true},             {vk::Back, true, true, true},
        {vk::ProcessKey, true, true, true},      {vk::OemPeriod, false, true, true},
        {vk::Decimal, false, true, true},        {vk::OemMinus, false, false, true},
        {vk::Subtract, false, false, true},      {vk::Delete, false, false, false},
        {vk::KeyA, false, false, false},         {vk::F1, false, false, false},
        {vk::Add, false, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GridKeyAccepted(WholeNumbers, c.key), c.whole) << c.key;
        EXPECT_EQ(GridKeyAccepted(Decimals, c.key), c.decimals) << c.key;
        EXPECT_EQ(GridKeyAccepted(SignedDecimals, c.key), c.signedDecimals) << c.key;
    }
}

}  // namespace
}  // namespace tavelmark::model
