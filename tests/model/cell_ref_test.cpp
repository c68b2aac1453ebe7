#include <gtest/gtest.h>

#include "model/cell_ref.h"

namespace tavelmark::model {
namespace {

TEST(CellRef, ParsesTheAddressesTheProgramUses) {
    struct Case {
        const char* text;
        RangeRef expected;
        const char* name;
    };
    const Case cases[] = {
        {"B2", {{2, 2}, {2, 2}}, "B2"},
        {"b2", {{2, 2}, {2, 2}}, "B2"},
        {"$B$2", {{2, 2}, {2, 2}}, "B2"},
        {"B2:C11", {{2, 2}, {11, 3}}, "B2:C11"},
        {"C11:B2", {{2, 2}, {11, 3}}, "B2:C11"},
        {"B:C", {{1, 2}, {kMaxRows, 3}}, "B:C"},
        {"A:A", {{1, 1}, {kMaxRows, 1}}, "A:A"},
        {"AA1:AB40", {{1, 27}, {40, 28}}, "AA1:AB40"},
        {"IV65536", {{65536, 256}, {65536, 256}}, "IV65536"},
    };
    for (const auto& c : cases) {
        const auto parsed = ParseRange(c.text);
        ASSERT_TRUE(parsed) << c.text;
        EXPECT_EQ(*parsed, c.expected) << c.text;
        EXPECT_EQ(RangeName(*parsed), c.name) << c.text;
    }
}

TEST(CellRef, RefusesMalformedAddresses) {
    for (const char* bad : {"", "2B", "B0", "B", "B2:", ":C3", "IW1", "A65537", "B2C3", "B-2", "中1"})
        EXPECT_FALSE(ParseRange(bad)) << bad;
    EXPECT_THROW(Range("nonsense"), std::invalid_argument);
}

TEST(CellRef, ColumnNamesRoundTrip) {
    for (int column : {1, 26, 27, 52, 53, 256}) EXPECT_EQ(ParseColumnName(ColumnName(column)), column);
    EXPECT_EQ(ColumnName(28), "AB");
}

}  // namespace
}  // namespace tavelmark::model
