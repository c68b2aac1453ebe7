// The extended LDk comparison against R (data/extended: compute_reference.R
// wrote reference.csv from datasets.csv with pt, qt and p.adjust): every pair
// of the worked example, the edge sets and the generated sets, to 1e-6
// relative.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "analyses/ldk_compare/ldk_extended.h"
#include "support/reference_table.h"
#include "support/sheet_cells.h"

namespace tavelmark::ldk_compare {
namespace {

using test::Number, test::Text;

using test::MatchesReference, test::ReferenceRow;

LDkExtended Extended(const std::vector<LDkBatch>& batches) {
    return ComputeExtendedLDk(batches, CompareAllLDkPairs(batches));
}

std::string DataFile(const char* name) {
    return std::string(TAVELMARK_TEST_DATA) + "/extended/" + name;
}

// One set of batches with the reference rows of its pairs, in file order.
struct ReferenceSet {
    std::string name;
    std::vector<LDkBatch> batches;
    std::vector<ReferenceRow> pairs;
};

std::vector<ReferenceSet> ReferenceSets() {
    std::vector<ReferenceSet> sets;
    std::map<std::string, std::size_t> index;
    for (const ReferenceRow& row : test::ReadReferenceTable(DataFile("datasets.csv"))) {
        const std::string& name = row.text("set");
        if (!index.count(name)) {
            index[name] = sets.size();
            sets.push_back({name, {}, {}});
        }
        sets[index[name]].batches.push_back(MakeLDkBatch(row.number("ld50"), row.number("l95")));
    }
    for (ReferenceRow& row : test::ReadReferenceTable(DataFile("reference.csv")))
        sets.at(index.at(row.text("set"))).pairs.push_back(std::move(row));
    return sets;
}

void PrintTo(const ReferenceSet& set, std::ostream* out) { *out << set.name; }

struct ExtendedLDkReference : ::testing::TestWithParam<ReferenceSet> {};

TEST_P(ExtendedLDkReference, EveryPairAgreesWithR) {
    const ReferenceSet& set = GetParam();
    const LDkExtended r = Extended(set.batches);
    ASSERT_EQ(r.pairs.size(), set.pairs.size());
    for (std::size_t i = 0; i < r.pairs.size(); ++i) {
        const LDkPairExtended& pair = r.pairs[i];
        const ReferenceRow& row = set.pairs[i];
        SCOPED_TRACE("pair " + std::to_string(pair.first) + "-" + std::to_string(pair.second));
        EXPECT_EQ(pair.first, static_cast<int>(row.number("batch_a")));
        EXPECT_EQ(pair.second, static_cast<int>(row.number("batch_b")));
        EXPECT_TRUE(MatchesReference(pair.t, row, "t"));
        // P reaches 0 (far_apart): relative agreement down to the smallest doubles.
        EXPECT_TRUE(MatchesReference(pair.p, row, "p", 1e-6, 1e-300));
        EXPECT_TRUE(MatchesReference(pair.pHolm, row, "p_holm", 1e-6, 1e-300));
        EXPECT_TRUE(MatchesReference(pair.ratio, row, "ratio"));
        EXPECT_TRUE(MatchesReference(pair.ratioLower, row, "ratio_lower"));
        EXPECT_TRUE(MatchesReference(pair.ratioUpper, row, "ratio_upper"));
    }
    if (set.batches.size() < 2) {
        EXPECT_EQ(r.reason, "只有一批, 无可比较的配对");
    }
}

INSTANTIATE_TEST_SUITE_P(Sets, ExtendedLDkReference, ::testing::ValuesIn(ReferenceSets()),
                         [](const ::testing::TestParamInfo<ReferenceSet>& info) {
                             return info.param.name;
                         });

TEST(ExtendedLDkReferenceFile, HoldsTheWorkedExampleTheEdgesAndTheGeneratedSets) {
    const auto sets = ReferenceSets();
    int generated = 0;
    for (const auto& set : sets) generated += set.name.rfind("generated", 0) == 0;
    EXPECT_EQ(sets.front().name, "worked_example");
    EXPECT_GE(generated, 50);
}

// Standard errors that underflow to 0 make t infinite: that pair has no P,
// and no P of the set can be adjusted, since Holm's step-down needs them all.
TEST(ExtendedLDk, APairWithoutPLeavesEveryAdjustmentEmptyWithItsReason) {
    const LDkExtended r = Extended(
        {MakeLDkBatch(1e300, 1e-300), MakeLDkBatch(1e299, 1e-300), MakeLDkBatch(14, 2.9)});
    ASSERT_EQ(r.pairs.size(), 3u);
    EXPECT_FALSE(r.pairs[0].p);
    EXPECT_EQ(r.pairs[0].pReason, "t值无法计算, 无P值");
    for (const LDkPairExtended& pair : r.pairs) EXPECT_FALSE(pair.pHolm);
    EXPECT_EQ(r.pairs[1].pReason, "有配对的P值无法计算, 无法校正");
    ASSERT_TRUE(r.pairs[0].ratio && r.pairs[0].ratioLower && r.pairs[0].ratioUpper);
    EXPECT_NEAR(*r.pairs[0].ratio, 10, 1e-12);
}

TEST(ExtendedLDkSheet, WorkedExampleRowsNameTheirMethods) {
    model::Workbook book;
    WriteExtendedResults(book, Extended({MakeLDkBatch(14, 2.9), MakeLDkBatch(20, 5), MakeLDkBatch(18, 3.2)}));
    ASSERT_EQ(book.sheets.size(), 2u);
    const model::Sheet& s = book.sheets[1];
    EXPECT_EQ(s.name(), "扩展结果");
    EXPECT_EQ(Text(s, "A1"), kExtendedLDkTitle);
    // Holm: caption 3, header 4, pairs on 5-7; ratios: caption 9, header 10, pairs on 11-13.
    // Values from reference.csv, worked_example.
    EXPECT_EQ(Text(s, "A5"), "第1批 与 第2批");
    EXPECT_EQ(Text(s, "E5"), "Holm法");
    EXPECT_NEAR(*Number(s, "B5"), 0.095451464178406442, 1e-9);
    EXPECT_EQ(Text(s, "F5"), "未校正P 0.0318");
    EXPECT_NEAR(*Number(s, "B7"), 0.50209233410405663, 1e-9);
    EXPECT_FALSE(Number(s, "C5"));  // an adjusted P has no interval
    EXPECT_EQ(Text(s, "A13"), "第2批 / 第3批");
    EXPECT_EQ(Text(s, "E13"), "对数剂量差法");
    // 14 ± 2.9 against 20 ± 5: each SE inverted from its limits exactly,
    // asinh(L95/LD50)/(1.96 ln 10), gives 0.50740 to 0.96571.
    EXPECT_NEAR(*Number(s, "B11"), 0.7, 1e-12);
    EXPECT_NEAR(*Number(s, "C11"), 0.50739908452965454, 1e-9);
    EXPECT_NEAR(*Number(s, "D11"), 0.96570927094639269, 1e-9);
    // The first sheet's t test took the straight-line SE: the row says so.
    for (const char* note : {"F11", "F12", "F13"})
        EXPECT_EQ(Text(s, note), "SE由L95精确反推; 第一页t检验的SE取L95/(4.5·LD50), 故0.05附近两者可能不一致")
            << note;
}

TEST(ExtendedLDkSheet, OneBatchLeavesBothTablesEmptyWithTheReason) {
    model::Workbook book;
    WriteExtendedResults(book, Extended({MakeLDkBatch(14, 2.9)}));
    const model::Sheet& s = book.sheets[1];
    for (const char* row : {"5", "9"}) {
        const std::string estimate = std::string("B") + row;
        const std::string note = std::string("F") + row;
        EXPECT_FALSE(Number(s, estimate.c_str())) << row;
        EXPECT_EQ(Text(s, note.c_str()), "只有一批, 无可比较的配对") << row;
    }
}

}  // namespace
}  // namespace tavelmark::ldk_compare
