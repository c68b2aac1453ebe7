#include "analyses/bliss/bliss_extended_sheet.h"

#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "analyses/bliss/bliss_extended_texts.h"
#include "analyses/bliss/bliss_fit.h"
#include "bliss_fixtures.h"
#include "model/cell_ref.h"
#include "report/extended_sheet.h"
#include "support/sheet_cells.h"
#include "support/tolerance.h"

namespace tavelmark::bliss {
namespace {

using test::Number, test::Text;

using model::CellRef, model::Sheet, model::Workbook;
using report::kExtendedEstimateColumn, report::kExtendedItemColumn, report::kExtendedLowerColumn,
    report::kExtendedMethodColumn, report::kExtendedNoteColumn, report::kExtendedUpperColumn;

bool Empty(const Sheet& sheet, int row, int column) {
    return std::holds_alternative<std::monostate>(sheet.value(CellRef{row, column}));
}

// The rows whose item and method are these, top to bottom.
std::vector<int> RowsOf(const Sheet& sheet, const std::string& item, const std::string& method) {
    std::vector<int> rows;
    for (int r = 1; r <= sheet.usedExtent().row; ++r)
        if (Text(sheet, r, kExtendedItemColumn) == item &&
            Text(sheet, r, kExtendedMethodColumn) == method)
            rows.push_back(r);
    return rows;
}

const Sheet& WrittenSheet(Workbook& book, const std::vector<BlissGroup>& groups, double c) {
    const auto classic = FitBliss(groups, c).fit;
    WriteExtendedResults(book, ComputeBlissExtended(groups, c, classic));
    return book.sheets.back();
}

TEST(BlissExtendedSheet, WorkedExampleRowsNameTheirMethods) {
    Workbook book;
    book.activeSheet().setValue("A1", std::string("classic report"));
    const auto groups = test::WorkedExample();
    const BlissExtended results = ComputeBlissExtended(groups, 0, FitBliss(groups, 0).fit);
    WriteExtendedResults(book, results);

    ASSERT_EQ(book.sheets.size(), 2u);
    EXPECT_EQ(model::PlainText(book.sheets[0].value("A1")), "classic report");
    EXPECT_EQ(book.sheets[0].usedExtent(), (CellRef{1, 1}));
    const Sheet& sheet = book.sheets[1];
    EXPECT_EQ(sheet.name(), report::kExtendedSheetName);
    EXPECT_EQ(Text(sheet, 1, 1), text::kExtendedTitle);

    // Both models' LD50 with their Fieller limits (probit first, then logit).
    const auto ld50 = RowsOf(sheet, "LD50", "Fieller法");
    ASSERT_EQ(ld50.size(), 2u);
    const MlModelFigures& probit = *results.probit.figures;
    EXPECT_EQ(Number(sheet, ld50[0], kExtendedEstimateColumn), probit.ld50.dose);
    EXPECT_EQ(Number(sheet, ld50[0], kExtendedLowerColumn), probit.ld50.lower);
    EXPECT_EQ(Number(sheet, ld50[0], kExtendedUpperColumn), probit.ld50.upper);
    EXPECT_EQ(Text(sheet, ld50[0], kExtendedNoteColumn).rfind("g = 0.0852; ", 0), 0u);
    EXPECT_EQ(Number(sheet, ld50[1], kExtendedEstimateColumn), results.logit.figures->ld50.dose);

    // Each common LDk twice: the classic limits, then the Fieller limits.
    for (const CommonLDk& level : results.ldk) {
        const std::string item = "LD" + std::to_string(static_cast<int>(level.percent));
        const auto classic = RowsOf(sheet, item, "正规Bliss法");
        const auto fieller = RowsOf(sheet, item, "Fieller法 (最大似然probit)");
        ASSERT_EQ(classic.size(), 1u) << item;
        ASSERT_EQ(fieller.size(), 1u) << item;
        EXPECT_EQ(fieller[0], classic[0] + 1) << item;
        EXPECT_EQ(Number(sheet, classic[0], kExtendedLowerColumn), level.classic.lower) << item;
        EXPECT_EQ(Number(sheet, fieller[0], kExtendedUpperColumn), level.fieller.upper) << item;
    }

    // Every row of every table names its method; the band has one row per point.
    int bandRows = 0, tableRows = 0;
    for (int r = 3; r <= sheet.usedExtent().row; ++r) {
        if (Text(sheet, r, kExtendedItemColumn) == "剂量-反应曲线作图数据") break;  // the chart's numbers
        const bool header = Text(sheet, r, kExtendedMethodColumn) == "方法";
        const bool caption = Text(sheet, r + 1, kExtendedMethodColumn) == "方法";
        if (Text(sheet, r, kExtendedItemColumn).empty() || header || caption) continue;
        ++tableRows;
        EXPECT_FALSE(Text(sheet, r, kExtendedMethodColumn).empty()) << "row " << r;
        if (Text(sheet, r, kExtendedItemColumn).rfind("剂量 ", 0) == 0) ++bandRows;
    }
    EXPECT_EQ(bandRows, static_cast<int>(results.band.size()));
    // Nine figures of each model and two rows for each common LDk.
    EXPECT_EQ(tableRows, 2 * 9 + 2 * 13 + bandRows);
}

TEST(BlissExtendedSheet, MissingFiguresAreEmptyCellsWithTheirReason) {
    const struct {
        const char* name;
        std::vector<BlissGroup> groups;
        const char* ld50Reason;  // beside the probit LD50
        bool ld50Estimate;       // the dose itself is there, only its limits are not
    } cases[] = {
        {"separated", test::Groups({1, 2, 4, 8}, {10, 10, 10, 10}, {0, 0, 10, 10}),
         text::kSeparatedData, false},
        {"one dose", test::Groups({5, 5, 5}, {10, 10, 10}, {2, 5, 7}), text::kSingleDoseData, false},
        {"g above 1", test::Groups({1, 2, 4}, {5, 5, 5}, {1, 3, 2}), text::kFiellerUnbounded, true},
    };
    for (const auto& c : cases) {
        Workbook book;
        const Sheet& sheet = WrittenSheet(book, c.groups, 0);
        const auto ld50 = RowsOf(sheet, "LD50", "Fieller法");
        ASSERT_EQ(ld50.size(), 2u) << c.name;
        EXPECT_EQ(Number(sheet, ld50[0], kExtendedEstimateColumn).has_value(), c.ld50Estimate)
            << c.name;
        EXPECT_TRUE(Empty(sheet, ld50[0], kExtendedLowerColumn)) << c.name;
        EXPECT_TRUE(Empty(sheet, ld50[0], kExtendedUpperColumn)) << c.name;
        EXPECT_EQ(Text(sheet, ld50[0], kExtendedNoteColumn).rfind(c.ld50Reason, 0), 0u)
            << c.name << ": " << Text(sheet, ld50[0], kExtendedNoteColumn);
        // No cell holds a number that is not finite.
        for (int r = 1; r <= sheet.usedExtent().row; ++r)
            for (int col = kExtendedEstimateColumn; col <= kExtendedUpperColumn; ++col)
                if (const auto v = Number(sheet, r, col)) {
                    EXPECT_TRUE(std::isfinite(*v)) << c.name;
                }
    }
}

TEST(BlissExtendedSheet, BackgroundAboveZeroIsStatedBesideTheMaximumLikelihoodFigures) {
    const auto groups = test::Groups({10.2, 7.7, 5.1, 3.8, 2.6}, {50, 49, 46, 48, 50}, {44, 42, 24, 16, 6});
    for (double c : {0.0, 0.1}) {
        Workbook book;
        const Sheet& sheet = WrittenSheet(book, groups, c);
        const auto intercepts = RowsOf(sheet, "截距 a", "最大似然probit (Newton-Raphson)");
        const auto logit = RowsOf(sheet, "截距 a", "最大似然logit (Newton-Raphson)");
        const auto ld1 = RowsOf(sheet, "LD1", "Fieller法 (最大似然probit)");
        ASSERT_EQ(intercepts.size(), 1u);
        ASSERT_EQ(logit.size(), 1u);
        ASSERT_EQ(ld1.size(), 1u);
        for (int r : {intercepts[0], logit[0], ld1[0]})
            EXPECT_EQ(Text(sheet, r, kExtendedNoteColumn).find(text::kBackgroundLeftOut) != std::string::npos, c > 0)
                << "c = " << c << ", row " << r;
    }
}

// The deguelin experiment (Martin 1942): Pearson P = 0.017 < 0.15, so the
// covariance takes h = X^2/df and the limits Student's t on 4 df; Finney's
// published LD50 9.9051 (5.0899, 14.6258) with h = 3.0065.
TEST(BlissExtendedSheet, AHeterogeneousFitWidensItsLimitsAndLabelsTheRows) {
    const auto deguelin = test::Groups({5.1, 10, 20.4, 30.2, 40.7, 50.1}, {49, 48, 48, 49, 50, 48},
                                       {16, 18, 34, 47, 47, 48});
    Workbook book;
    const Sheet& sheet = WrittenSheet(book, deguelin, 0);
    const auto ld50 = RowsOf(sheet, "LD50", "Fieller法 (异质性校正)");
    ASSERT_EQ(ld50.size(), 2u);  // probit, logit
    EXPECT_TRUE(test::SameTo(*Number(sheet, ld50[0], kExtendedEstimateColumn), 9.9051, 4));
    EXPECT_TRUE(test::SameTo(*Number(sheet, ld50[0], kExtendedLowerColumn), 5.0899, 4));
    EXPECT_TRUE(test::SameTo(*Number(sheet, ld50[0], kExtendedUpperColumn), 14.6258, 4));
    const auto h = RowsOf(sheet, "异质性因子 h", "Pearson χ²/自由度");
    ASSERT_EQ(h.size(), 2u);
    EXPECT_TRUE(test::SameTo(*Number(sheet, h[0], kExtendedEstimateColumn), 3.0065, 4));
    EXPECT_NE(Text(sheet, h[0], kExtendedNoteColumn).find("t(4) = 2.7764"), std::string::npos);
    EXPECT_EQ(RowsOf(sheet, "斜率标准误 Sb", "观察信息阵之逆×h").size(), 2u);
    EXPECT_EQ(RowsOf(sheet, "LD50", "Fieller法 (最大似然probit, 异质性校正)").size(), 1u);

    // The worked example is homogeneous (P = 0.49): nothing is scaled.
    Workbook plain;
    const Sheet& worked = WrittenSheet(plain, test::WorkedExample(), 0);
    const auto workedH = RowsOf(worked, "异质性因子 h", "Pearson χ²/自由度");
    ASSERT_EQ(workedH.size(), 2u);
    EXPECT_EQ(Text(worked, workedH[0], kExtendedNoteColumn), "P≥0.15, 不校正: 可信限用z");
    EXPECT_EQ(RowsOf(worked, "LD50", "Fieller法 (异质性校正)").size(), 0u);
}

// Rates 0.2, 0.5, 0.8 at equally spaced log doses lie exactly on the probit
// and on the logit line; rounding once showed their deviance as -0.0000.
TEST(BlissExtendedSheet, ADevianceIsNeverBelowZero) {
    const std::vector<BlissGroup> exactFits[] = {
        test::Groups({2, 20, 200}, {30, 30, 30}, {6, 15, 24}),
        test::Groups({1, 10, 100}, {20, 20, 20}, {4, 10, 16}),
        test::Groups({3, 30, 300}, {50, 50, 50}, {10, 25, 40}),
    };
    for (const auto& groups : exactFits) {
        Workbook book;
        const Sheet& sheet = WrittenSheet(book, groups, 0);
        const auto rows = RowsOf(sheet, "偏差 (deviance)", "似然比偏差");
        ASSERT_EQ(rows.size(), 2u);
        for (int r : rows) {
            const auto deviance = Number(sheet, r, kExtendedEstimateColumn);
            ASSERT_TRUE(deviance);
            EXPECT_GE(*deviance, 0.0) << "row " << r;
        }
    }
}

// Where the maximum-likelihood line has no finite interval, the classic
// limits beside it are flagged rather than left to look trustworthy. The
// classic iteration itself gives up on separated counts, so that case pairs
// them with the worked example's classic line.
TEST(BlissExtendedSheet, ClassicLimitsBesideAnUnboundedOrMissingIntervalAreFlagged) {
    const auto shallow = test::Groups({1, 2, 4}, {5, 5, 5}, {1, 3, 2});
    const auto separated = test::Groups({1, 2, 4, 8}, {10, 10, 10, 10}, {0, 1, 10, 10});
    const struct {
        const char* name;
        std::vector<BlissGroup> groups;
        std::optional<BlissFit> classic;
        const char* note;  // on every classic row; nullptr: none
    } cases[] = {
        {"g above 1", shallow, FitBliss(shallow, 0).fit, text::kClassicUnreliableG},
        {"separated", separated, FitBliss(test::WorkedExample(), 0).fit, text::kClassicUnreliableSeparated},
        {"worked example", test::WorkedExample(), FitBliss(test::WorkedExample(), 0).fit, nullptr},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(c.classic) << c.name;
        Workbook book;
        WriteExtendedResults(book, ComputeBlissExtended(c.groups, 0, c.classic));
        const Sheet& sheet = book.sheets.back();
        int classicRows = 0;
        for (int r = 1; r <= sheet.usedExtent().row; ++r) {
            if (Text(sheet, r, kExtendedMethodColumn) != "正规Bliss法" || !Number(sheet, r, kExtendedEstimateColumn))
                continue;
            ++classicRows;
            const bool flagged = Text(sheet, r, kExtendedNoteColumn).find(c.note ? c.note : "可信限不可靠") !=
                                 std::string::npos;
            EXPECT_EQ(flagged, c.note != nullptr) << c.name << ", row " << r;
        }
        EXPECT_EQ(classicRows, 13) << c.name;
    }
}

// The maximum-likelihood probit line is on the normal-deviate scale: its
// intercept lies 5 below the classic line's, whose Y is the probit.
TEST(BlissExtendedSheet, TheProbitEquationSaysItsScale) {
    Workbook book;
    const auto groups = test::WorkedExample();
    const Sheet& sheet = WrittenSheet(book, groups, 0);
    const auto intercept = RowsOf(sheet, "截距 a", "最大似然probit (Newton-Raphson)");
    ASSERT_EQ(intercept.size(), 1u);
    EXPECT_EQ(Text(sheet, intercept[0] - 2, kExtendedItemColumn), "最大似然probit模型 (Φ⁻¹(P) = a + b·log10(D))");
    EXPECT_TRUE(test::SameTo(*Number(sheet, intercept[0], kExtendedEstimateColumn), -6.7316, 4));
    EXPECT_TRUE(test::SameTo(FitBliss(groups, 0).fit->a, -1.7316, 4));
}

// Sheet1 gives the LD50 with the classic limits; every LD50 row here with
// other limits says which method Sheet1 used.
TEST(BlissExtendedSheet, LD50RowsSayWhichMethodSheet1Used) {
    Workbook book;
    const Sheet& sheet = WrittenSheet(book, test::WorkedExample(), 0);
    const struct {
        const char* method;
        const char* note;
        std::size_t rows;
    } cases[] = {
        {"Fieller法", text::kSheet1MethodForMl, 2},  // probit only, logit is not Sheet1's model
        {"Fieller法 (最大似然probit)", text::kSheet1MethodForMl, 1},
        {"正规Bliss法", text::kSheet1MethodForCalculator, 1},
    };
    for (const auto& c : cases) {
        const auto rows = RowsOf(sheet, "LD50", c.method);
        ASSERT_EQ(rows.size(), c.rows) << c.method;
        EXPECT_NE(Text(sheet, rows[0], kExtendedNoteColumn).find(c.note), std::string::npos) << c.method;
    }
}

}  // namespace
}  // namespace tavelmark::bliss
