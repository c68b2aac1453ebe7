// The potency grid: how rows group into preparations and controls, and
// every refusal with its text, title and selected cell.
#include "analyses/potency/potency_input.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analyses/potency/potency_messages.h"
#include "analyses/potency/potency_template.h"
#include "model/cell_ref.h"

namespace tavelmark::potency {
namespace {

using model::CellRef, model::CellValue, model::InputGrid;

// A grid with the template's design and these rows from row 2 on, each
// {name, dose, n, positives}; "" leaves the name empty.
struct Row {
    CellValue name, dose, n, positives;
};

InputGrid GridWith(const std::vector<Row>& rows) {
    InputGrid grid;
    WritePotencyTemplate(grid);
    model::GridSheet& sheet = grid.activeSheet();
    sheet.clearContents(model::RangeRef{{2, 1}, {kLastDataRow, 4}});
    int r = 2;
    for (const Row& row : rows) {
        const CellValue cells[] = {row.name, row.dose, row.n, row.positives};
        for (int c = 0; c < 4; ++c) {
            const bool emptyName = c == 0 && std::holds_alternative<std::string>(cells[c]) &&
                                   std::get<std::string>(cells[c]).empty();
            sheet.setValue(CellRef{r, c + 1}, emptyName ? CellValue{} : cells[c]);
        }
        ++r;
    }
    return grid;
}

CellValue S(const char* s) { return CellValue{std::string(s)}; }
CellValue N(double v) { return CellValue{v}; }

// Two preparations of three doses each, every rate between 0 and 1.
std::vector<Row> TwoPreparations() {
    return {{S("A"), N(1), N(10), N(2)}, {S(""), N(2), N(10), N(5)}, {S(""), N(4), N(10), N(8)},
            {S("B"), N(1), N(10), N(1)}, {S(""), N(2), N(10), N(4)}, {S(""), N(4), N(10), N(7)}};
}

TEST(PotencyInput, TheTemplateExampleReadsAsThreePreparations) {
    InputGrid grid;
    WritePotencyTemplate(grid);
    const auto checked = ReadPotencyData(grid, PotencyOptions{});
    ASSERT_TRUE(checked.input);
    const PotencyData& data = *checked.input;
    ASSERT_EQ(data.preparations.size(), 3u);
    const struct {
        const char* name;
        std::size_t groups;
        int row;
    } expected[] = {{"鱼藤酮", 5, 2}, {"鱼藤素", 6, 7}, {"混合物", 6, 13}};
    for (std::size_t j = 0; j < 3; ++j) {
        EXPECT_EQ(data.preparations[j].name, expected[j].name);
        EXPECT_EQ(data.preparations[j].groups.size(), expected[j].groups);
        EXPECT_EQ(data.preparations[j].row, expected[j].row);
    }
    EXPECT_EQ(data.preparations[1].groups[2].dose, 20.4);
    EXPECT_EQ(data.reference, 0);
}

TEST(PotencyInput, ControlRowsGoToTheirPreparationOrToAll) {
    std::vector<Row> rows = TwoPreparations();
    rows.insert(rows.begin() + 3, Row{S(""), N(0), N(20), N(1)});  // A's own control
    rows.push_back(Row{S("对照"), N(0), N(30), N(2)});
    rows.push_back(Row{S(""), N(0), N(30), N(1)});  // continues 对照
    rows.insert(rows.begin(), Row{S("对照"), N(0), N(25), N(0)});
    const auto checked = ReadPotencyData(GridWith(rows), PotencyOptions{});
    ASSERT_TRUE(checked.input);
    const PotencyData& data = *checked.input;
    ASSERT_EQ(data.preparations.size(), 2u);
    EXPECT_EQ(data.preparations[0].controls.size(), 1u);
    EXPECT_EQ(data.preparations[0].groups.size(), 3u);
    EXPECT_TRUE(data.preparations[1].controls.empty());
    ASSERT_EQ(data.sharedControls.size(), 3u);
    EXPECT_EQ(data.sharedControls[0].row, 2);
}

TEST(PotencyInput, AReferenceNamedInTheOptionsIsFound) {
    PotencyOptions options;
    options.reference = "B";
    const auto checked = ReadPotencyData(GridWith(TwoPreparations()), options);
    ASSERT_TRUE(checked.input);
    EXPECT_EQ(checked.input->reference, 1);
}

TEST(PotencyInput, EveryRefusalHasItsTextTitleAndCell) {
    const auto with = [](std::vector<Row> rows, std::size_t at, Row row) {
        rows[at] = row;
        return rows;
    };
    const std::vector<Row> two = TwoPreparations();
    const std::vector<Row> onlyA(two.begin(), two.begin() + 3), onlyB(two.begin() + 3, two.end());
    std::vector<Row> reappearing = TwoPreparations();
    reappearing.push_back(Row{S("A"), N(8), N(10), N(9)});
    std::vector<Row> threeDosesOneSame = TwoPreparations();
    threeDosesOneSame[4].dose = N(1);
    threeDosesOneSame[5].dose = N(1);
    std::vector<Row> manyDoses;
    for (int i = 0; i < 13; ++i) manyDoses.push_back(Row{i == 0 ? S("A") : S(""), N(i + 1.0), N(10), N(5)});
    manyDoses.insert(manyDoses.end(), onlyB.begin(), onlyB.end());
    std::vector<Row> elevenPreparations;
    for (int j = 0; j < 11; ++j)
        for (int i = 0; i < 3; ++i)
            elevenPreparations.push_back(
                Row{i == 0 ? CellValue{"P" + std::to_string(j)} : S(""), N(i + 1.0), N(10), N(3.0 + i)});
    std::vector<Row> controlsAllPositive = TwoPreparations();
    controlsAllPositive.push_back(Row{S("对照"), N(0), N(20), N(20)});

    const struct {
        const char* name;
        std::vector<Row> rows;
        std::string text, title;
        std::optional<CellRef> cell;
    } cases[] = {
        {"one preparation", onlyA,
         text::kTooFewPreparations, text::kHintTitle, std::nullopt},
        {"too few doses", with(TwoPreparations(), 5, Row{S("C"), N(4), N(10), N(7)}),
         "制剂「B」剂量组数太少(<3),无法计算", text::kHintTitle, CellRef{5, 1}},
        {"one distinct dose", threeDosesOneSame, "制剂「B」各组剂量相同,无法进行回归计算", text::kHintTitle,
         CellRef{5, 1}},
        {"only 0 % and 100 %",
         with(with(with(TwoPreparations(), 3, Row{S("B"), N(1), N(10), N(0)}), 4, Row{S(""), N(2), N(10), N(0)}), 5,
              Row{S(""), N(4), N(10), N(10)}),
         "制剂「B」没有阳性率介于0与100%之间的组,斜率无法估计", text::kHintTitle, CellRef{5, 1}},
        {"name reappears", reappearing, "制剂「A」在第8行再次出现,同一制剂的各组应连续排列", text::kDataEntryTitle,
         CellRef{8, 1}},
        {"controls at 100 %", controlsAllPositive, "对照组阳性率为100%,无法计算", text::kHintTitle, CellRef{8, 4}},
        {"text in a cell", with(TwoPreparations(), 2, Row{S(""), S("四"), N(10), N(8)}), "本例有6组,发现空单元格或类型不匹配",
         text::kTypeMismatchTitle, CellRef{4, 2}},
        {"empty cell", with(TwoPreparations(), 1, Row{S(""), N(2), CellValue{}, N(5)}), "本例有6组,发现空单元格或类型不匹配",
         text::kTypeMismatchTitle, CellRef{3, 3}},
        {"positives above n", with(TwoPreparations(), 4, Row{S(""), N(2), N(10), N(11)}), "动物阳性数不得大于每组例数",
         text::kOutOfRangeTitle, CellRef{6, 4}},
        {"negative dose", with(TwoPreparations(), 1, Row{S(""), N(-2), N(10), N(5)}), "给药剂量应为正数",
         text::kBadValueTitle, CellRef{3, 2}},
        {"fractional n", with(TwoPreparations(), 1, Row{S(""), N(2), N(10.5), N(5)}), "每组的例数应为非0频数",
         text::kBadValueTitle, CellRef{3, 3}},
        {"negative positives", with(TwoPreparations(), 1, Row{S(""), N(2), N(10), N(-1)}), "每组的阳性数应为频数",
         text::kBadValueTitle, CellRef{3, 4}},
        {"no first name", with(TwoPreparations(), 0, Row{S(""), N(1), N(10), N(2)}), text::kFirstNameMissing,
         text::kDataEntryTitle, CellRef{2, 1}},
        {"control with a dose", [] {
             auto rows = TwoPreparations();
             rows.push_back(Row{S("对照"), N(3), N(10), N(1)});
             return rows;
         }(),
         text::kControlWithDose, text::kBadValueTitle, CellRef{8, 2}},
        {"thirteen doses", manyDoses, "制剂「A」剂量组数超过12组", text::kHintTitle, CellRef{2, 1}},
        {"eleven preparations", elevenPreparations, text::kTooManyPreparations, text::kHintTitle, CellRef{32, 1}},
    };
    for (const auto& c : cases) {
        const auto checked = ReadPotencyData(GridWith(c.rows), PotencyOptions{});
        ASSERT_TRUE(checked.refusal) << c.name;
        EXPECT_EQ(checked.refusal->text, c.text) << c.name;
        EXPECT_EQ(checked.refusal->title, c.title) << c.name;
        ASSERT_EQ(checked.refusal->select.has_value(), c.cell.has_value()) << c.name;
        if (c.cell) {
            EXPECT_EQ(checked.refusal->select->first, *c.cell) << c.name;
        }
    }

    PotencyOptions missing;
    missing.reference = "C";
    const auto checked = ReadPotencyData(GridWith(TwoPreparations()), missing);
    ASSERT_TRUE(checked.refusal);
    EXPECT_EQ(checked.refusal->text, "参比制剂「C」不在本例数据中");
}

// What the options dialog offers as reference preparations: each name once,
// as the check will read it (blanks trimmed, a number by its shortest text),
// the shared controls left out, before any check (a name that reappears is
// still listed once).
TEST(PotencyInput, PreparationNamesAreWhatAReferenceIsChosenFrom) {
    const InputGrid grid = GridWith({{"对照", 0.0, 20.0, 1.0},
                                     {"  A ", 1.0, 10.0, 2.0},
                                     {"", 2.0, 10.0, 5.0},
                                     {2.0, 1.0, 10.0, 1.0},
                                     {"对照", 0.0, 20.0, 2.0},
                                     {"A", 4.0, 10.0, 8.0},
                                     {"批次 3", 4.0, 10.0, 8.0}});
    EXPECT_EQ(PreparationNames(grid), (std::vector<std::string>{"A", "2", "批次 3"}));
    EXPECT_TRUE(PreparationNames(GridWith({})).empty());
}

}  // namespace
}  // namespace tavelmark::potency
