// The grid template, the four menu commands and the help box by caption.
#include <gtest/gtest.h>

#include <algorithm>

#include "analyses/rates/rates_help.h"
#include "analyses/rates/rates_window.h"

namespace tavelmark::rates {

using model::AsNumber, model::Cell, model::GridSheet, model::HAlign, model::InputGrid,
    model::PointsToCharacterWidth, model::Range;
namespace {

std::string TextAt(const InputGrid& grid, const char* cell) {
    const auto* text = std::get_if<std::string>(&grid.value(cell));
    return text ? *text : std::string();
}

TEST(RatesTemplate, HeadingsCountsFormatsAndSelection) {
    InputGrid grid;
    grid.setValue("A1", std::string("用户的注记"));
    grid.setValue("B2", 99.0);
    grid.select("C3");
    WriteRatesTemplate(grid);

    const GridSheet& sheet = grid.activeSheet();
    EXPECT_EQ(sheet.viewableRange(), Range("A1:C3"));
    EXPECT_FALSE(sheet.gridlines());
    EXPECT_EQ(TextAt(grid, "B1"), "阳性数");
    EXPECT_EQ(TextAt(grid, "C1"), "阴性数");
    EXPECT_EQ(TextAt(grid, "A2"), "R组");
    EXPECT_EQ(TextAt(grid, "A3"), "T组");
    EXPECT_EQ(AsNumber(grid.value("B2")), 12.0);
    EXPECT_EQ(AsNumber(grid.value("C2")), 20.0);
    EXPECT_EQ(AsNumber(grid.value("B3")), 19.0);
    EXPECT_EQ(AsNumber(grid.value("C3")), 11.0);
    EXPECT_EQ(TextAt(grid, "A1"), "用户的注记");  // not a template cell
    EXPECT_EQ(grid.selection(), Range("A1"));

    for (const char* cell : {"B2", "C2", "B3", "C3"})
        EXPECT_EQ(sheet.format(Cell(cell)).boxColourIndex, 5) << cell;
    for (const char* cell : {"A2", "B1", "D4"}) EXPECT_EQ(sheet.format(Cell(cell)).boxColourIndex, 0);
    for (const char* cell : {"A1", "D4", "B3"}) {
        EXPECT_EQ(sheet.format(Cell(cell)).fontSize, 10) << cell;
        EXPECT_EQ(sheet.format(Cell(cell)).horizontal, HAlign::Center) << cell;
    }
    EXPECT_EQ(sheet.format(Cell("E5")).fontSize, 11);
    EXPECT_DOUBLE_EQ(sheet.columnWidth(1), PointsToCharacterWidth(69.75));
    EXPECT_DOUBLE_EQ(sheet.columnWidth(3), PointsToCharacterWidth(54));
}

TEST(RatesMenuCommands, CaptionsLabelsAndTheOddsItem) {
    struct Case {
        RatesMenuCommand command;
        const char* caption;
        const char* rowLabels[2];
        bool odds;
    };
    const Case cases[] = {
        {RatesMenuCommand::RateAna, "智能化两组阳性率分析(2×2卡方法)数据录入", {"R组", "T组"}, false},
        {RatesMenuCommand::EnRateAna, "阳性率分析(2×2卡方法)数据录入", {"R组", "T组"}, false},
        {RatesMenuCommand::RateComp, "智能化两样本率比较(2×2卡方法)数据录入", {"处理1", "处理2"}, false},
        {RatesMenuCommand::OddAna, "智能化两组阳性率分析(2×2卡方法)数据录入", {"R组", "T组"}, true},
    };
    for (const auto& c : cases) {
        InputGrid grid;
        RatesOptions options;
        options.tTest = true;  // earlier choices stay
        RunRatesMenuCommand(c.command, grid, options);
        EXPECT_STREQ(RatesWindowCaption(options.captionCommand), c.caption);
        EXPECT_EQ(TextAt(grid, "A2"), c.rowLabels[0]);
        EXPECT_EQ(TextAt(grid, "A3"), c.rowLabels[1]);
        EXPECT_EQ(AsNumber(grid.value("C3")), 11.0);
        EXPECT_EQ(options.odds, c.odds);
        EXPECT_TRUE(options.tTest);
    }
    // mnuRateAna keeps a caption another command set.
    InputGrid grid;
    RatesOptions options;
    options.captionCommand = RatesMenuCommand::EnRateAna;
    RunRatesMenuCommand(RatesMenuCommand::RateAna, grid, options);
    EXPECT_STREQ(RatesWindowCaption(options.captionCommand), kEnRatesWindowCaption);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (char ch : text) {
        if (ch == '\r')
            lines.emplace_back();
        else
            lines.back() += ch;
    }
    return lines;
}

TEST(RatesHelp, BoxByCaption) {
    const auto group = RatesHelpBox(RatesMenuCommand::RateAna);
    const auto plain = RatesHelpBox(RatesMenuCommand::EnRateAna);
    const auto sample = RatesHelpBox(RatesMenuCommand::RateComp);
    EXPECT_EQ(group.title, "智能化两组阳性率分析在线帮助");
    EXPECT_EQ(plain.title, "阳性率分析(2×2卡方法)在线帮助");
    EXPECT_EQ(sample.title, "智能化两样本率比较(2×2卡方法)在线帮助");
    EXPECT_EQ(plain.text, group.text);
    EXPECT_EQ(RatesHelpBox(RatesMenuCommand::OddAna).title, group.title);

    for (const auto* box : {&group, &sample}) {
        EXPECT_EQ(box->text.find('\n'), std::string::npos);
        EXPECT_NE(box->text.back(), '\r');
        const auto lines = Lines(box->text);
        ASSERT_EQ(lines.size(), 24u);
        EXPECT_EQ(std::count(lines.begin(), lines.end(), ""), 4);
        for (int heading : {0, 5, 9, 14, 20}) EXPECT_EQ(lines[heading].rfind("【", 0), 0u) << heading;
    }
    const auto g = Lines(group.text), s = Lines(sample.text);
    EXPECT_EQ(g[1], "        R组(参比药)  32例, 阳性(有效) 12例, 阴性(无效) 20例");
    EXPECT_EQ(s[1], "        处理1  32例, 阳性(有效) 12例, 阴性(无效) 20例");
    EXPECT_EQ(s[3], "    请检验两样本(处理)率差异是否显著?");
    EXPECT_EQ(g[18], "    4、等效性检验:预设6个等效标准(以R组阳性率±X％为等效范围),进行不交叉的双向单侧t检验");
    int differing = 0;
    for (std::size_t i = 0; i < g.size(); ++i) differing += g[i] != s[i];
    EXPECT_EQ(differing, 5);
}

}  // namespace
}  // namespace tavelmark::rates
