#include "analyses/bliss/bliss_input.h"

#include <cmath>

#include <gtest/gtest.h>

#include "analyses/bliss/bliss_template.h"

namespace tavelmark::bliss {

using model::Cell, model::CellRef, model::CellValue, model::GridSheet, model::HAlign,
    model::InputGrid, model::IsEmpty, model::Range, model::RangeRef;
using report::HelpBox, report::MessageIcon, report::RecordingPrompter;

namespace {

// What the calculate command makes of the check: the groups, or the refusal
// shown to the user as the command shows it (message and selection).
std::optional<std::vector<BlissGroup>> ReadGroups(InputGrid& grid, double c, report::RecordingPrompter& prompter) {
    auto checked = ReadBlissGroups(grid, c, prompter);
    if (checked.refusal) report::Refuse(prompter, grid, *checked.refusal);
    return std::move(checked.input);
}


using Kind = RecordingPrompter::Kind;

InputGrid TemplateGrid() {
    InputGrid grid;
    WriteBlissTemplate(grid);
    return grid;
}

// A grid cell edit given as A1 text and value; an empty variant empties it.
struct Edit {
    const char* cell;
    CellValue value;
};

struct Refusal {
    const char* what;
    std::vector<Edit> edits;
    const char* text;
    const char* title;
    MessageIcon icon;
    const char* selected;  // nullptr: no cell selected
};

void PrintTo(const Refusal& r, std::ostream* os) { *os << r.what; }

class BlissInputRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(BlissInputRefusal, ShowsItsMessageAndSelectsTheCell) {
    const Refusal& r = GetParam();
    InputGrid grid = TemplateGrid();
    for (const Edit& e : r.edits) grid.setValue(e.cell, e.value);
    const InputGrid before = grid;
    RecordingPrompter prompter;
    EXPECT_FALSE(ReadGroups(grid, 0, prompter));
    const auto dialogs = prompter.dialogs();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].text, r.text);
    EXPECT_EQ(dialogs[0].title, r.title);
    EXPECT_EQ(dialogs[0].icon, r.icon);
    std::vector<RangeRef> selections;
    for (const auto& e : prompter.events)
        if (e.kind == Kind::Selection) selections.push_back(e.range);
    if (r.selected) {
        ASSERT_EQ(selections.size(), 1u);
        EXPECT_EQ(selections[0], Range(r.selected));
        EXPECT_EQ(grid.selection(), Range(r.selected));
    } else {
        EXPECT_TRUE(selections.empty());
    }
    // The grid keeps everything the user typed.
    EXPECT_EQ(grid.activeSheet().cells().values(), before.activeSheet().cells().values());
}

const CellValue kEmpty{};
CellValue Num(double v) { return v; }
CellValue Text(const char* t) { return std::string(t); }

INSTANTIATE_TEST_SUITE_P(
    AllChecks, BlissInputRefusal,
    ::testing::Values(
        Refusal{"empty cell inside the block", {{"C5", kEmpty}},
                "本例有6组,发现空单元格或类型不匹配", "类型不匹配！", MessageIcon::Critical, "C5"},
        Refusal{"stray dose below empty rows", {{"B11", Num(3)}},
                "本例有10组,发现空单元格或类型不匹配", "类型不匹配！", MessageIcon::Critical, "B8"},
        Refusal{"text in a count", {{"D3", Text("abc")}},
                "本例有6组,发现空单元格或类型不匹配", "类型不匹配！", MessageIcon::Critical, "D3"},
        Refusal{"column B is checked before C", {{"C3", kEmpty}, {"B5", Text("x")}},
                "本例有6组,发现空单元格或类型不匹配", "类型不匹配！", MessageIcon::Critical, "B5"},
        Refusal{"two groups",
                {{"B4", kEmpty}, {"C4", kEmpty}, {"D4", kEmpty}, {"B5", kEmpty}, {"C5", kEmpty},
                 {"D5", kEmpty}, {"B6", kEmpty}, {"C6", kEmpty}, {"D6", kEmpty}, {"B7", kEmpty},
                 {"C7", kEmpty}, {"D7", kEmpty}},
                "本例组数太少(<3),无法计算", "提示！", MessageIcon::Exclamation, nullptr},
        Refusal{"positives above size, before an earlier bad dose", {{"B3", Num(-1)}, {"D5", Num(21)}},
                "动物阳性数不得大于每组例数", "超出范围！", MessageIcon::Critical, "D5"},
        Refusal{"zero dose", {{"B4", Num(0)}}, "给药剂量应为正数", "数据类型错误或超出范围！",
                MessageIcon::Critical, "B4"},
        Refusal{"negative dose", {{"B2", Num(-35)}}, "给药剂量应为正数", "数据类型错误或超出范围！",
                MessageIcon::Critical, "B2"},
        Refusal{"zero size", {{"C7", Num(0)}}, "每组的例数应为非0频数", "数据类型错误或超出范围！",
                MessageIcon::Critical, "C7"},
        Refusal{"fractional size", {{"C3", Num(20.5)}}, "每组的例数应为非0频数",
                "数据类型错误或超出范围！", MessageIcon::Critical, "C3"},
        Refusal{"fractional positives", {{"D6", Num(2.5)}}, "每组的阳性数应为频数",
                "数据类型错误或超出范围！", MessageIcon::Critical, "D6"},
        Refusal{"infinity read from a file", {{"B3", Num(HUGE_VAL)}},
                "本例有6组,发现空单元格或类型不匹配", "类型不匹配！", MessageIcon::Critical, "B3"}));

TEST(BlissInput, TemplateExamplePasses) {
    InputGrid grid = TemplateGrid();
    RecordingPrompter prompter;
    const auto groups = ReadGroups(grid, 0, prompter);
    ASSERT_TRUE(groups);
    EXPECT_TRUE(prompter.events.empty());
    ASSERT_EQ(groups->size(), 6u);
    EXPECT_EQ((*groups)[2].row, 4);
    EXPECT_EQ((*groups)[2].dose, 17.2);
    EXPECT_EQ((*groups)[1].rate, 17.0 / 20);
}

TEST(BlissInput, TwelveGroupsAreAccepted) {
    InputGrid grid = TemplateGrid();
    for (int row = 8; row <= 13; ++row) {
        grid.setValue(CellRef{row, 2}, 50.0 + row);
        grid.setValue(CellRef{row, 3}, 10.0);
        grid.setValue(CellRef{row, 4}, 10.0);
    }
    RecordingPrompter prompter;
    const auto groups = ReadGroups(grid, 0, prompter);
    ASSERT_TRUE(groups);
    EXPECT_EQ(groups->size(), 12u);
    EXPECT_EQ(groups->back().row, 13);
}

TEST(BlissInput, GroupsBelowTheBackgroundAreWarnedAboutOnceAndDropped) {
    const struct {
        const char* what;
        std::vector<Edit> edits;
        double c;
        std::vector<int> keptRows;
        int warnings;
    } cases[] = {
        {"10 %: the example's 0 of 20", {}, 0.1, {2, 3, 4, 5, 6}, 1},
        {"10 %: two groups at 1 of 20", {{"D6", Num(1)}, {"D7", Num(1)}}, 0.1, {2, 3, 4, 5}, 2},
        {"negative positives fall below any background", {{"D7", Num(-1)}}, 0, {2, 3, 4, 5, 6}, 1},
    };
    for (const auto& c : cases) {
        InputGrid grid = TemplateGrid();
        for (const Edit& e : c.edits) grid.setValue(e.cell, e.value);
        RecordingPrompter prompter;
        const auto groups = ReadGroups(grid, c.c, prompter);
        ASSERT_TRUE(groups) << c.what;
        std::vector<int> rows;
        for (const auto& g : *groups) rows.push_back(g.row);
        EXPECT_EQ(rows, c.keptRows) << c.what;
        const auto dialogs = prompter.dialogs();
        ASSERT_EQ(static_cast<int>(dialogs.size()), c.warnings) << c.what;
        for (const auto& d : dialogs) {
            EXPECT_EQ(d.text, "实验死亡率小于本底死亡率,该组不参与计算");
            EXPECT_EQ(d.title, "提示！");
            EXPECT_EQ(d.icon, MessageIcon::Exclamation);
        }
    }
}

TEST(BlissInput, ExclusionsLeavingTwoGroupsStopWithTheTooFewMessage) {
    InputGrid grid = TemplateGrid();
    RecordingPrompter prompter;
    // Rates 1, .85, .8, .3, .1, 0: above 82 % only two groups remain.
    EXPECT_FALSE(ReadGroups(grid, 0.82, prompter));
    const auto dialogs = prompter.dialogs();
    ASSERT_EQ(dialogs.size(), 5u);
    EXPECT_EQ(dialogs[3].text, "实验死亡率小于本底死亡率,该组不参与计算");
    EXPECT_EQ(dialogs.back().text, "本例组数太少(<3),无法计算");
    EXPECT_EQ(dialogs.back().icon, MessageIcon::Exclamation);
}

TEST(BlissTemplate, SecondRunRestoresTheExampleAndKeepsRowsEightOn) {
    InputGrid grid = TemplateGrid();
    for (int row = 2; row <= 11; ++row) {
        grid.setValue(CellRef{row, 2}, 100.0 * row);
        grid.setValue(CellRef{row, 3}, 30.0);
        grid.setValue(CellRef{row, 4}, 3.0);
    }
    grid.setValue("A1", std::string("mine"));
    WriteBlissTemplate(grid);
    const GridSheet& sheet = grid.activeSheet();
    EXPECT_EQ(sheet.name(), "CalInput");
    EXPECT_EQ(sheet.value("A1"), CellValue(std::string("组别")));
    EXPECT_EQ(sheet.value("D1"), CellValue(std::string("阳性数")));
    EXPECT_EQ(sheet.value("A13"), CellValue(12.0));
    EXPECT_EQ(sheet.value("B4"), CellValue(17.2));
    EXPECT_EQ(sheet.value("D3"), CellValue(17.0));
    EXPECT_EQ(sheet.value("B8"), CellValue(800.0));
    EXPECT_EQ(sheet.value("D11"), CellValue(3.0));
    EXPECT_TRUE(IsEmpty(sheet.value("B12")));
    EXPECT_EQ(grid.selection(), Range("A1"));
}

TEST(BlissTemplate, FormatsAndReach) {
    InputGrid grid = TemplateGrid();
    const GridSheet& sheet = grid.activeSheet();
    EXPECT_EQ(sheet.viewableRange(), Range("A1:D13"));
    EXPECT_FALSE(sheet.gridlines());
    EXPECT_EQ(sheet.columnWidth(1), 3.5);
    EXPECT_EQ(sheet.format(Cell("B9")).numberFormat, "#####0.000");
    EXPECT_EQ(sheet.format(Cell("D2")).numberFormat, "#####0");
    EXPECT_EQ(sheet.format(Cell("C13")).boxColourIndex, 5);
    EXPECT_EQ(sheet.format(Cell("A5")).boxColourIndex, 0);
    EXPECT_EQ(sheet.format(Cell("D13")).horizontal, HAlign::Center);
    EXPECT_EQ(sheet.format(Cell("A1")).fontSize, 10);
}

TEST(BlissTemplate, HelpBox) {
    const HelpBox help = BlissHelpBox();
    EXPECT_EQ(help.title, "正规Bliss法(LD50计算)在线帮助");
    EXPECT_EQ(help.text.rfind("【举例说明】\r    某次急性毒性研究,结果如下:\r", 0), 0u);
    EXPECT_NE(help.text.find("\r\r【用法说明】\r"), std::string::npos);
    EXPECT_NE(help.text.find("    6、列出13个常用的LDk,并允许用户计算任意的LDk(如LD3.5等)\r\r【参考文献】\r    "),
              std::string::npos);
    EXPECT_EQ(help.text.find('\n'), std::string::npos);
    EXPECT_NE(help.text.back(), '\r');
}

}  // namespace
}  // namespace tavelmark::bliss
