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
    EXPECT_EQ(Text(sheet, ld50[0], kExtendedNoteColumn), "g = 0.0851");
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
    // Eight figures of each model and two rows for each common LDk.
    EXPECT_EQ(tableRows, 2 * 8 + 2 * 13 + bandRows);
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
        const auto intercepts = RowsOf(sheet, "截距 a", "最大似然probit (IRLS)");
        const auto logit = RowsOf(sheet, "截距 a", "最大似然logit (IRLS)");
        const auto ld1 = RowsOf(sheet, "LD1", "Fieller法 (最大似然probit)");
        ASSERT_EQ(intercepts.size(), 1u);
        ASSERT_EQ(logit.size(), 1u);
        ASSERT_EQ(ld1.size(), 1u);
        const std::string expected = c > 0 ? text::kBackgroundLeftOut : "";
        for (int r : {intercepts[0], logit[0], ld1[0]})
            EXPECT_EQ(Text(sheet, r, kExtendedNoteColumn), expected) << "c = " << c << ", row " << r;
    }
}

}  // namespace
}  // namespace tavelmark::bliss
