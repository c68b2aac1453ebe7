// The "扩展结果" sheet of the means analysis as written: its rows, the method
// of each, and an empty cell with its reason where a figure is missing.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "analyses/means/extended_means.h"
#include "analyses/means/extended_means_texts.h"
#include "model/cell_ref.h"
#include "report/extended_sheet.h"
#include "support/sheet_cells.h"
#include "reference_data.h"

namespace tavelmark::means {
namespace {

using test::Number, test::Text;

using model::CellRef, model::Sheet, model::Workbook;
using report::kExtendedEstimateColumn, report::kExtendedItemColumn, report::kExtendedLowerColumn,
    report::kExtendedMethodColumn, report::kExtendedNoteColumn, report::kExtendedUpperColumn;

int RowOf(const Sheet& sheet, const std::string& item) {
    for (int r = 1; r <= sheet.usedExtent().row; ++r)
        if (Text(sheet, r, kExtendedItemColumn) == item) return r;
    ADD_FAILURE() << "no row " << item;
    return 0;
}

// The worked example (data/extended/datasets.csv).
TEST(ExtendedMeansSheet, WorkedExampleRowsNameTheirMethods) {
    Workbook book;
    book.activeSheet().setValue("A1", std::string("classic report"));
    const ExtendedMeans m = ComputeExtendedMeans(test::MeansWorkedExample());
    WriteExtendedResults(book, m);

    ASSERT_EQ(book.sheets.size(), 2u);
    EXPECT_EQ(book.sheets[0].usedExtent(), (CellRef{1, 1}));
    const Sheet& sheet = book.sheets[1];
    EXPECT_EQ(sheet.name(), report::kExtendedSheetName);
    EXPECT_EQ(Text(sheet, 1, 1), kExtendedMeansTitle);

    const struct {
        const char* item;
        const char* method;
        std::optional<double> estimate, lower, upper;
        std::string note;
    } rows[] = {
        {"均数差 (合并方差)", "Student t法 (合并方差)", m.difference, m.pooled.lower,
         m.pooled.upper, "自由度 23"},
        {"均数差 (Welch)", "Welch t法 (Satterthwaite自由度)", m.difference, m.welch.lower,
         m.welch.upper, "自由度 20.6371; 第一页t'检验的P按截尾自由度20计算"},
        {"合并标准差", "合并方差", m.effect.pooledSd, {}, {}, ""},
        {"Cohen's d", "非中心t分布", m.effect.cohenD.estimate, m.effect.cohenD.lower,
         m.effect.cohenD.upper, ""},
        {"Hedges校正因子 J", "精确Γ函数式", m.effect.hedgesJ, {}, {}, ""},
        {"Hedges' g", "Hedges–Olkin近似", m.effect.hedgesG.estimate, m.effect.hedgesG.lower,
         m.effect.hedgesG.upper, "标准误 0.4083"},
        {"Hodges–Lehmann位置差 (T − R)", "Hodges–Lehmann法 (正态近似)", m.rank.shift.estimate,
         m.rank.shift.lower, m.rank.shift.upper, ""},
        {"Mann–Whitney W (T组)", "Mann–Whitney U检验", m.rank.statisticW, {}, {},
         "T组秩和 − n1(n1+1)/2"},
        {"Mann–Whitney检验双侧P", "精确 (含结)", m.rank.pTwoSided, {}, {},
         "第一页的非参检验为正态近似 (连续性及结校正), 小样本时偏离精确P"},
    };
    int previous = 0;
    for (const auto& expected : rows) {
        const int r = RowOf(sheet, expected.item);
        EXPECT_GT(r, previous) << expected.item << ": rows in this order";
        previous = r;
        EXPECT_EQ(Text(sheet, r, kExtendedMethodColumn), expected.method) << expected.item;
        ASSERT_TRUE(expected.estimate) << expected.item;
        EXPECT_EQ(Number(sheet, r, kExtendedEstimateColumn), expected.estimate) << expected.item;
        EXPECT_EQ(Number(sheet, r, kExtendedLowerColumn), expected.lower) << expected.item;
        EXPECT_EQ(Number(sheet, r, kExtendedUpperColumn), expected.upper) << expected.item;
        EXPECT_EQ(Text(sheet, r, kExtendedNoteColumn), expected.note) << expected.item;
    }
}

TEST(ExtendedMeansSheet, MissingFiguresAreEmptyCellsWithTheirReason) {
    const struct {
        const char* name;
        MeansInput input;
        const char* item;
        bool estimate;  // the estimate stands, only its limits are missing
        const char* reason;
    } cases[] = {
        {"both constant, different", {.t = {5, 5, 5}, .r = {3, 3, 3, 3}}, "Cohen's d", false,
         text::kNoSpread},
        {"both constant, different", {.t = {5, 5, 5}, .r = {3, 3, 3, 3}}, "均数差 (Welch)", true,
         text::kNoSpread},
        {"both constant, different", {.t = {5, 5, 5}, .r = {3, 3, 3, 3}},
         "Hodges–Lehmann位置差 (T − R)", true, text::kBothGroupsConstant},
        {"all equal", {.t = {3, 3, 3}, .r = {3, 3, 3, 3}}, "Mann–Whitney检验双侧P", false,
         text::kAllValuesEqual},
        {"all equal", {.t = {3, 3, 3}, .r = {3, 3, 3, 3}}, "Hedges' g", false, text::kNoSpread},
        // Sums of ±1e308 leave double precision: no mean, no variance.
        {"sums overflow", {.t = {1e308, 1e308, -1e308, 1e308}, .r = {-1e308, -1e308, 1e308, 1}},
         "均数差 (合并方差)", false, text::kOverflow},
        {"sums overflow", {.t = {1e308, 1e308, -1e308, 1e308}, .r = {-1e308, -1e308, 1e308, 1}},
         "均数差 (Welch)", false, text::kOverflow},
        {"sums overflow", {.t = {1e308, 1e308, -1e308, 1e308}, .r = {-1e308, -1e308, 1e308, 1}},
         "合并标准差", false, text::kOverflow},
        {"sums overflow", {.t = {1e308, 1e308, -1e308, 1e308}, .r = {-1e308, -1e308, 1e308, 1}},
         "Cohen's d", false, text::kOverflow},
        {"sums overflow", {.t = {1e308, 1e308, -1e308, 1e308}, .r = {-1e308, -1e308, 1e308, 1}},
         "Hedges' g", false, text::kOverflow},
        // Each group constant, but 1e308 − (−1e308) is beyond double precision.
        {"difference overflows", {.t = {1e308, 1e308, 1e308}, .r = {-1e308, -1e308, -1e308}},
         "均数差 (合并方差)", false, text::kOverflow},
        {"difference overflows", {.t = {1e308, 1e308, 1e308}, .r = {-1e308, -1e308, -1e308}},
         "Hodges–Lehmann位置差 (T − R)", false, text::kOverflow},
        // The means and SDs stand (SD 2e200), the variances (4e400) do not.
        {"variance overflows", {.t = {1e200, -1e200, 3e200}, .r = {1, 2, 3}}, "均数差 (Welch)",
         true, text::kOverflowLimits},
        {"variance overflows", {.t = {1e200, -1e200, 3e200}, .r = {1, 2, 3}}, "Cohen's d", false,
         text::kOverflow},
    };
    for (const auto& c : cases) {
        Workbook book;
        WriteExtendedResults(book, ComputeExtendedMeans(c.input));
        const Sheet& sheet = book.sheets.back();
        const int r = RowOf(sheet, c.item);
        EXPECT_EQ(Number(sheet, r, kExtendedEstimateColumn).has_value(), c.estimate)
            << c.name << ", " << c.item;
        EXPECT_FALSE(Number(sheet, r, kExtendedLowerColumn)) << c.name << ", " << c.item;
        EXPECT_FALSE(Number(sheet, r, kExtendedUpperColumn)) << c.name << ", " << c.item;
        EXPECT_EQ(Text(sheet, r, kExtendedNoteColumn), c.reason) << c.name << ", " << c.item;
        EXPECT_FALSE(Text(sheet, r, kExtendedMethodColumn).empty()) << c.name << ", " << c.item;
    }
}

// The limits of the shift cover what the exact distribution allows: for 3
// against 3 no pair of order statistics reaches 95% (R, data/extended
// reference.csv: hl_level 0.9 for three_each, 0.969697 for no_overlap).
TEST(ExtendedMeansSheet, ShiftRowSaysTheConfidenceItsLimitsReach) {
    const struct {
        const char* name;
        MeansInput input;
        const char* note;
    } cases[] = {
        {"three_each", {.t = {10.2, 11.7, 12.1}, .r = {8.4, 9.9, 7.5}},
         "可信限的实际置信度 90.0%, 未达95%"},
        {"no_overlap",
         {.t = {20.1, 22.4, 21.7, 23.9, 20.8}, .r = {10.3, 11.8, 9.6, 12.2, 10.9, 11.1}},
         "可信限的实际置信度 97.0%"},
        // Ties: the limits come from the normal approximation, nominally 95%.
        {"ties_small_groups", {.t = {1, 2, 2, 3}, .r = {2, 4, 5, 6}}, ""},
    };
    for (const auto& c : cases) {
        Workbook book;
        WriteExtendedResults(book, ComputeExtendedMeans(c.input));
        const Sheet& sheet = book.sheets.back();
        const int r = RowOf(sheet, "Hodges–Lehmann位置差 (T − R)");
        EXPECT_TRUE(Number(sheet, r, kExtendedLowerColumn)) << c.name;
        EXPECT_EQ(Text(sheet, r, kExtendedNoteColumn), c.note) << c.name;
    }
}

// Data in small units keep their digits instead of showing 0.0000.
TEST(ExtendedMeansSheet, SmallDataAreWrittenInScientificForm) {
    Workbook book;
    WriteExtendedResults(book, ComputeExtendedMeans({.t = {4.1e-5, 4.6e-5, 3.9e-5},
                                                     .r = {3.2e-5, 3.8e-5, 3.5e-5}}));
    const Sheet& sheet = book.sheets.back();
    const int r = RowOf(sheet, "均数差 (合并方差)");
    EXPECT_EQ(sheet.format(CellRef{r, kExtendedEstimateColumn}).numberFormat, "0.000E+00");
    EXPECT_EQ(sheet.format(CellRef{RowOf(sheet, "Cohen's d"), kExtendedEstimateColumn}).numberFormat,
              "0.0000");
}

}  // namespace
}  // namespace tavelmark::means
