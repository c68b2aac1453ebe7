#include "analyses/multigroup/multigroup_template.h"

#include <array>
#include <string>
#include <vector>

#include "analyses/multigroup/multigroup_input.h"
#include "analyses/multigroup/multigroup_texts.h"

namespace tavelmark::multigroup {

using model::CellRef, model::GridSheet, model::HAlign, model::InputGrid, model::RangeRef;

namespace {

constexpr int kBlueBox = 5;
constexpr double kColumnCharacters = 10;

struct ExampleGroup {
    const char* name;
    std::array<double, 8> values;
};

// Serum ALT (U/L) of a liver-injury model: a normal control, the untreated
// model, a positive drug and three doses of the test drug.
constexpr std::array<ExampleGroup, 6> kExample = {{
    {"正常对照组", {32.5, 28.9, 35.1, 30.4, 27.8, 33.6, 31.2, 29.5}},
    {"模型组", {86.3, 92.7, 78.4, 95.1, 88.6, 81.9, 90.2, 84.5}},
    {"阳性药组", {45.2, 51.8, 48.6, 42.9, 55.3, 47.1, 50.4, 44.7}},
    {"低剂量组", {79.8, 85.2, 72.6, 88.1, 76.9, 83.4, 80.5, 74.3}},
    {"中剂量组", {62.4, 70.8, 58.9, 66.2, 73.5, 60.7, 64.8, 68.1}},
    {"高剂量组", {50.6, 57.2, 46.8, 53.9, 60.1, 48.5, 55.4, 51.7}},
}};

}  // namespace

void WriteMultigroupTemplate(InputGrid& grid) {
    GridSheet& sheet = grid.activeSheet();
    sheet.setViewableRange({{1, 1}, {kLastGridRow, kMostGroups}});
    sheet.setGridlines(false);
    sheet.setColumnWidths(RangeRef::columns(1, kMostGroups), kColumnCharacters);

    const RangeRef headings{{1, 1}, {1, kMostGroups}};
    sheet.setFontName(headings, "宋体");
    sheet.setFontSize(headings, 10);
    sheet.setHorizontalAlignment(headings, HAlign::Center);

    const RangeRef data{{2, 1}, {kLastGridRow, kMostGroups}};
    sheet.setFontName(data, "宋体");
    sheet.setFontSize(data, 10);
    sheet.setHorizontalAlignment(data, HAlign::Right);
    sheet.setBoxBorders(data, kBlueBox);

    for (std::size_t g = 0; g < kExample.size(); ++g) {
        const int column = static_cast<int>(g) + 1;
        sheet.setValue(CellRef{1, column}, std::string(kExample[g].name));
        for (std::size_t i = 0; i < kExample[g].values.size(); ++i)
            sheet.setValue(CellRef{static_cast<int>(i) + 2, column}, kExample[g].values[i]);
    }
    grid.select("A1");
    grid.notifyChanged();
}

report::HelpBox MultigroupHelpBox(MultigroupFocus focus) {
    const std::vector<std::string> lines = {
        "【举例说明】",
        "    大鼠肝损伤实验,正常对照组、模型组、阳性药组及低、中、高三个剂量组各8只,",
        "        测定血清ALT(U/L),各组实测值分列于表中各列(第1行为组名)",
        "    各给药组与模型组比较,差异是否有统计意义?模型组与正常对照组比较呢?",
        "",
        "【用法说明】",
        "    1、参考例算 击〖计算〗,即按表中数据进行计算,显示各项计算结果",
        "    2、实际计算 每列填入一组数据,第1行填组名,数据自第2行起连续填写,不得留有缺项,再击〖计算〗",
        "    3、击〖参数设置〗选择参照组(默认为组名含“模型”的第一组,否则为第一列)、正常对照组(标记#),",
        "       以及是否始终按方差不齐处理",
        "",
        "【适用范围】",
        "    1、两组及两组以上计量资料的比较,最多10组,每组2~300个数据",
        "    2、各组可以例数不等",
        "",
        "【计算内容】",
        "    1、各组统计描述,Grubbs离群值检验(只作提示,不剔除),Shapiro-Wilk正态性检验",
        "    2、以合并残差的Shapiro-Wilk检验判断正态性,以Levene检验(中位数法)判断方差齐性,并给出推荐方法及理由",
        "    3、正态且方差齐:单因素方差分析,与参照组比较用Dunnett法,两两比较用Tukey法",
        "    4、正态但方差不齐:Welch方差分析,两两比较用Games-Howell法,与参照组比较用Welch t检验(Šidák校正)",
        "    5、非正态:Kruskal-Wallis秩和检验,Dunn法(Holm校正)多重比较",
        "    6、供参考:SNK法、LSD-t检验、Bonferroni法、Brown-Forsythe F*检验、Tamhane T2法及效应量η²、ω²",
        "",
        "【参考文献】",
        "    Dunnett CW. A multiple comparison procedure for comparing several treatments with a control. "
        "J Am Stat Assoc, 1955, 50: 1096-1121",
        "    Royston P. Remark AS R94: A remark on algorithm AS 181. Appl Stat, 1995, 44: 547-551",
    };
    const char* name = focus == MultigroupFocus::AgainstReference ? text::kControlAnalysisName : text::kAnalysisName;
    return {std::string(name) + "在线帮助", report::JoinHelpLines(lines)};
}

}  // namespace tavelmark::multigroup
