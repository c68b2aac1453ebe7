// The extended rates results against R (data/extended: compute_reference.R
// wrote reference.csv from tables.csv; fisher.test and dhyper for the exact
// figures, the published formulas for the rest): the worked example, the edge
// tables and the generated ones, every figure to 1e-6 relative.
#include <gtest/gtest.h>

#include <string>

#include "analyses/rates/extended_rates.h"
#include "model/cell_ref.h"
#include "support/reference_table.h"
#include "support/sheet_cells.h"

namespace tavelmark::rates {
namespace {

using test::Number, test::Text;

using test::MatchesReference, test::ReferenceRow;

std::vector<ReferenceRow> ReferenceTables() {
    return test::ReadReferenceTable(std::string(RATES_TEST_DATA) + "/extended/reference.csv");
}

RateTable TableOf(const ReferenceRow& row) {
    return MakeRateTable(row.number("a"), row.number("b"), row.number("c"), row.number("d"));
}

// A figure that R gives as Inf is held empty with its infinity flag set.
::testing::AssertionResult MatchesOrInfinite(std::optional<double> actual, bool infinite,
                                             const ReferenceRow& row, const std::string& column) {
    if (row.isInf(column)) {
        if (infinite && !actual) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << column << ": R has Inf";
    }
    if (infinite)
        return ::testing::AssertionFailure()
               << column << ": flagged infinite, R has " << row.text(column);
    return MatchesReference(actual, row, column);
}

// A part of the number-needed interval: both columns NA when it is absent,
// "to" Inf when it runs to infinity.
::testing::AssertionResult MatchesRange(const std::optional<NumberNeededRange>& range,
                                        const ReferenceRow& row, const std::string& from,
                                        const std::string& to) {
    if (row.isNA(from)) {
        if (!range) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << from << ": R has none";
    }
    if (!range) return ::testing::AssertionFailure() << from << ": R has " << row.text(from);
    if (auto r = MatchesReference(range->from, row, from); !r) return r;
    return MatchesOrInfinite(range->to, !range->to, row, to);
}

std::string KindText(NumberNeededKind kind) {
    switch (kind) {
        case NumberNeededKind::THigher:
            return "T higher";
        case NumberNeededKind::RHigher:
            return "R higher";
        case NumberNeededKind::Equal:
            return "none";
    }
    return {};
}

// The interval's form as Altman writes it.
std::string FormText(const NumberNeeded& nn) {
    if (nn.crossesZero) return "crosses zero";
    return nn.tHigher ? "T higher" : "R higher";
}

struct ExtendedRatesReference : ::testing::TestWithParam<ReferenceRow> {};

TEST_P(ExtendedRatesReference, EveryFigureAgreesWithR) {
    const ReferenceRow& row = GetParam();
    const ExtendedRates r = ComputeExtendedRates(TableOf(row));

    ASSERT_TRUE(r.rateR && r.rateT);
    EXPECT_TRUE(MatchesReference(r.rateR->rate, row, "p_r"));
    EXPECT_TRUE(MatchesReference(r.rateR->lower, row, "wilson_r_lower"));
    EXPECT_TRUE(MatchesReference(r.rateR->upper, row, "wilson_r_upper"));
    EXPECT_TRUE(MatchesReference(r.rateT->rate, row, "p_t"));
    EXPECT_TRUE(MatchesReference(r.rateT->lower, row, "wilson_t_lower"));
    EXPECT_TRUE(MatchesReference(r.rateT->upper, row, "wilson_t_upper"));

    struct Figure {
        const ExtendedFigure& figure;
        std::string column;
    };
    for (const Figure& f :
         {Figure{r.difference, "rd"}, Figure{r.relativeRisk, "rr"}, Figure{r.oddsRatio, "or"},
          Figure{r.conditionalOddsRatio, "or_conditional"}}) {
        EXPECT_TRUE(MatchesOrInfinite(f.figure.estimate, f.figure.estimateInfinite, row, f.column));
        EXPECT_TRUE(MatchesReference(f.figure.lower, row, f.column + "_lower"));
        EXPECT_TRUE(
            MatchesOrInfinite(f.figure.upper, f.figure.upperInfinite, row, f.column + "_upper"));
        // A missing or infinite figure always says why.
        if (!f.figure.estimate || !f.figure.lower || !f.figure.upper) {
            EXPECT_FALSE(f.figure.reason.empty()) << f.column;
        }
    }
    // Mid-P values reach 1e-63: relative agreement all the way down.
    EXPECT_TRUE(MatchesReference(r.midP, row, "fisher_mid_p", 1e-6, 1e-300));

    const NumberNeeded& nn = r.numberNeeded;
    EXPECT_EQ(KindText(nn.kind), row.text("nn_kind"));
    EXPECT_TRUE(MatchesReference(nn.value, row, "nn"));
    EXPECT_EQ(FormText(nn), row.text("nn_ci_form"));
    EXPECT_TRUE(MatchesRange(nn.tHigher, row, "t_higher_from", "t_higher_to"));
    EXPECT_TRUE(MatchesRange(nn.rHigher, row, "r_higher_from", "r_higher_to"));
}

INSTANTIATE_TEST_SUITE_P(Tables, ExtendedRatesReference, ::testing::ValuesIn(ReferenceTables()),
                         [](const ::testing::TestParamInfo<ReferenceRow>& info) {
                             return info.param.text("set");
                         });

TEST(ExtendedRatesReferenceFile, HoldsTheWorkedExampleTheEdgesAndTheGeneratedTables) {
    const auto rows = ReferenceTables();
    int generated = 0;
    for (const auto& row : rows) generated += row.text("set").rfind("generated", 0) == 0;
    EXPECT_EQ(rows.front().text("set"), "worked_example");
    EXPECT_GE(generated, 50);
}

// Tables the input check lets through but R's reference does not reach: the
// exact figures are refused with a reason instead of taking minutes or
// gigabytes, and nothing comes out as NaN or infinity.
TEST(ExtendedRates, HugeTablesGiveReasonsNotNumbersThatCannotBeTrusted) {
    const ExtendedRates r = ComputeExtendedRates(MakeRateTable(4e6, 6e6, 5e6, 5e6));
    EXPECT_FALSE(r.conditionalOddsRatio.estimate);
    EXPECT_EQ(r.conditionalOddsRatio.reason, "例数过多, 未计算精确法");
    EXPECT_FALSE(r.midP);
    EXPECT_FALSE(r.midPReason.empty());
    ASSERT_TRUE(r.oddsRatio.estimate && r.oddsRatio.lower && r.oddsRatio.upper);
    EXPECT_NEAR(*r.oddsRatio.estimate, 1.5, 1e-12);
    EXPECT_LT(*r.oddsRatio.lower, 1.5);

    // Huge counts on a narrow range of T positives are still exact.
    const ExtendedRates narrow = ComputeExtendedRates(MakeRateTable(1e12, 1e12, 2, 1));
    ASSERT_TRUE(narrow.conditionalOddsRatio.estimate && narrow.midP);
    EXPECT_NEAR(*narrow.conditionalOddsRatio.estimate, 2.0, 1e-6);  // b c / (a d) in the limit
}

TEST(ExtendedRatesSheet, WorkedExampleRowsNameTheirMethods) {
    model::Workbook book;
    book.activeSheet().setValue("A1", std::string("classic"));
    WriteExtendedResults(book, ComputeExtendedRates(MakeRateTable(12, 20, 19, 11)));
    ASSERT_EQ(book.sheets.size(), 2u);
    EXPECT_EQ(Text(book.sheets[0], "A1"), "classic");
    const model::Sheet& s = book.sheets[1];
    EXPECT_EQ(s.name(), "扩展结果");
    EXPECT_EQ(Text(s, "A1"), kExtendedRatesTitle);

    // Rows 5-6 the two rates, rows 10-15 the comparison (caption 8, header 9).
    struct Expected {
        int row;
        const char* method;
        double estimate;  // from reference.csv, worked_example
    };
    const Expected rows[] = {
        {5, "Wilson score法", 0.375},
        {6, "Wilson score法", 0.6333333333333333},
        {10, "Newcombe混合score法", 0.2583333333333333},
        {11, "Katz对数法", 1.6888888888888889},
        {12, "Woolf法", 2.8787878787878789},
        {13, "条件最大似然/精确条件法", 2.8278361178005245},
        {14, "Altman法 (由率差的Newcombe可信限)", 3.8709677419354844},
        {15, "mid-P法 (Lancaster)", 0.047932057862124247},
    };
    for (const Expected& e : rows) {
        const auto* method = std::get_if<std::string>(&s.value(model::CellRef{e.row, 5}));
        const auto* estimate = std::get_if<double>(&s.value(model::CellRef{e.row, 2}));
        ASSERT_TRUE(method && estimate) << "row " << e.row;
        EXPECT_EQ(*method, e.method);
        EXPECT_NEAR(*estimate, e.estimate, 1e-9) << "row " << e.row;
    }
    // The direction is named by the rates: a positive response may be a harm.
    EXPECT_EQ(Text(s, "A14"), "需治疗人数 NNT (T组阳性率较高)");
    EXPECT_NEAR(*Number(s, "C14"), 2.1462083018045695, 1e-9);
    EXPECT_NEAR(*Number(s, "D14"), 96.613315373570273, 1e-9);
    EXPECT_FALSE(Number(s, "C15"));  // a P value has no interval

    // The first sheet's limits of each rate come from another interval.
    for (const char* note : {"F5", "F6"})
        EXPECT_EQ(Text(s, note), "第一页的可信限为连续性校正score法 (z取1.96), 校正使其较宽") << note;
}

TEST(ExtendedRatesSheet, NumberNeededNamesItsDirectionByTheRates) {
    const struct {
        RateTable table;
        const char* item;
        const char* note;
    } cases[] = {
        {MakeRateTable(12, 20, 19, 11), "需治疗人数 NNT (T组阳性率较高)", ""},
        {MakeRateTable(19, 11, 12, 20), "需治疗人数 NNT (R组阳性率较高)", ""},
        // T above R, but the interval of the difference reaches below 0 (R:
        // Newcombe limits -0.14083, 0.48415 by the formulas of compute_reference.R).
        {MakeRateTable(5, 10, 8, 7), "需治疗人数 NNT (T组阳性率较高)",
         "可信区间跨过0: T组阳性率较高 2.0655 至 ∞ 至 R组阳性率较高 7.1007"},
    };
    for (const auto& c : cases) {
        model::Workbook book;
        WriteExtendedResults(book, ComputeExtendedRates(c.table));
        const model::Sheet& s = book.sheets[1];
        EXPECT_EQ(Text(s, "A14"), c.item);
        EXPECT_EQ(Text(s, "F14"), c.note) << c.item;
    }
}

TEST(ExtendedRatesSheet, MissingAndInfiniteFiguresLeaveEmptyCellsWithTheirReasons) {
    model::Workbook book;
    // No R positives: RR and OR undefined, the conditional OR infinite.
    WriteExtendedResults(book, ComputeExtendedRates(MakeRateTable(0, 20, 7, 13)));
    const model::Sheet& s = book.sheets[1];
    EXPECT_FALSE(Number(s, "B11"));
    EXPECT_EQ(Text(s, "F11"), "R组阳性数为0, 无法计算");
    EXPECT_FALSE(Number(s, "B12"));
    // The infinite conditional estimate: "∞" as text beside its finite lower
    // limit (reference.csv, zero_r_positives: 1.7933443611607496).
    EXPECT_FALSE(Number(s, "B13"));
    EXPECT_EQ(Text(s, "B13"), "∞");
    ASSERT_TRUE(Number(s, "C13"));
    EXPECT_NEAR(*Number(s, "C13"), 1.7933443611607496, 1e-9);
    EXPECT_EQ(Text(s, "D13"), "∞");
    EXPECT_EQ(Text(s, "F13"), "T组阳性数已达可能的最大值, 估计值与上限为无穷大");

    // Equal rates: no number needed, and the interval written Altman's way.
    model::Workbook equal;
    WriteExtendedResults(equal, ComputeExtendedRates(MakeRateTable(0, 15, 0, 12)));
    const model::Sheet& e = equal.sheets[1];
    EXPECT_EQ(Text(e, "A14"), "需治疗人数 NNT");
    EXPECT_FALSE(Number(e, "B14"));
    EXPECT_EQ(Text(e, "F14"),
              "两组率相等, 需治疗人数为无穷大; 可信区间跨过0: T组阳性率较高 4.1238 至 ∞ 至 "
              "R组阳性率较高 4.9048");
}

}  // namespace
}  // namespace tavelmark::rates
