// Formatting a large block keeps one range format instead of a format per
// cell. What every cell shows must not depend on that: each sequence below
// is applied both to the store and to a plain array of one format per cell,
// and every cell of the area is compared.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "model/cell_store.h"

namespace tavelmark::model {
namespace {

struct Look {
    int alignment = 0;
    int rule = 0;
    bool operator==(const Look&) const = default;
};

using Store = CellStore<std::variant<std::monostate, int>, Look>;
using Change = std::function<void(Look&)>;

// Rows 1 to 3000 of columns A to H: far enough for blocks above the size
// that is kept cell by cell.
constexpr int kRows = 3000, kColumns = 8;

struct Reference {
    std::vector<Look> cells = std::vector<Look>(kRows * kColumns);
    Look& at(int row, int column) { return cells[(row - 1) * kColumns + column - 1]; }
    void apply(const RangeRef& r, const Change& change) {
        for (int row = r.first.row; row <= std::min(r.last.row, kRows); ++row)
            for (int col = r.first.column; col <= std::min(r.last.column, kColumns); ++col)
                change(at(row, col));
    }
};

struct Step {
    const char* range;
    Change change;
};

Change Align(int a) { return [a](Look& l) { l.alignment = a; }; }
Change Rule(int w) { return [w](Look& l) { l.rule = w; }; }

struct Sequence {
    const char* name;
    std::vector<Step> steps;
};

void PrintTo(const Sequence& s, std::ostream* os) { *os << s.name; }

class LayeredFormats : public ::testing::TestWithParam<Sequence> {};

TEST_P(LayeredFormats, ShowTheSameAsACellByCellSheet) {
    Store store;
    Reference reference;
    for (const Step& step : GetParam().steps) {
        store.formatRange(Range(step.range), step.change);
        reference.apply(Range(step.range), step.change);
    }
    int mismatches = 0;
    for (int row = 1; row <= kRows; ++row)
        for (int col = 1; col <= kColumns; ++col)
            if (!(store.format({row, col}) == reference.at(row, col)) && ++mismatches <= 5)
                ADD_FAILURE() << CellName({row, col}) << ": alignment " << store.format({row, col}).alignment
                              << " rule " << store.format({row, col}).rule << ", expected alignment "
                              << reference.at(row, col).alignment << " rule " << reference.at(row, col).rule;
    EXPECT_EQ(mismatches, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, LayeredFormats,
    ::testing::Values(
        // The raw-data area: rules on single rows first, the centred block last.
        Sequence{"rules then a centred block",
                 {{"E4:F4", Rule(2)}, {"E5:F5", Rule(1)}, {"E20:F20", Rule(2)}, {"E4:F2999", Align(1)}}},
        // Cells formatted after the block start from the block's format.
        Sequence{"a centred block then rules", {{"E4:F2999", Align(1)}, {"E20:F21", Rule(2)}, {"D20:G20", Rule(1)}}},
        Sequence{"a block over columns of different formats",
                 {{"B:B", Align(3)}, {"C:C", Rule(1)}, {"A10:D1000", Align(2)}}},
        Sequence{"a block over part of an earlier block",
                 {{"A1:C2000", Align(1)}, {"B1500:E2500", Rule(2)}, {"C100:H1600", Align(3)}}},
        Sequence{"a block covering an earlier block whole",
                 {{"B10:C1000", Rule(1)}, {"A1:D2000", Align(2)}, {"B500:B501", Align(4)}}},
        Sequence{"whole columns over part of a block",
                 {{"A100:D1500", Align(1)}, {"C:H", Rule(2)}, {"A200:B1700", Rule(1)}}},
        Sequence{"whole columns over a block whole, then a block again",
                 {{"B100:C1500", Align(1)}, {"A:D", Rule(2)}, {"C1000:F2000", Align(5)}, {"E:E", Align(6)}}}));

TEST(LayeredFormats, ABlockIsOneRecordAndDoesNotWidenTheUsedArea) {
    Store store;
    store.setValue({5, 5}, 38);
    store.formatRange(Range("E4:F10000"), Align(1));
    EXPECT_TRUE(store.cellFormats().empty());
    ASSERT_EQ(store.rangeFormats().size(), 1u);
    EXPECT_EQ(store.format({5, 5}).alignment, 1);
    EXPECT_EQ(store.format({10001, 5}).alignment, 0);
    EXPECT_EQ(store.format({3, 6}).alignment, 0);

    store.formatAll(Rule(1));  // the whole sheet reaches the block too
    EXPECT_EQ(store.format({9000, 6}), (Look{1, 1}));
    store.clearAll();
    EXPECT_TRUE(store.rangeFormats().empty());
    EXPECT_EQ(store.format({5, 5}).alignment, 0);
}

}  // namespace
}  // namespace tavelmark::model
