#include "analyses/potency/potency_template.h"

#include <string>
#include <vector>

#include "analyses/potency/potency_data.h"

namespace tavelmark::potency {

using model::CellRef, model::GridSheet, model::HAlign, model::InputGrid, model::RangeRef;

namespace {

struct ExampleGroup {
    const char* name;  // typed on the first row of a preparation only
    double dose, n, positives;
};

// Finney, Probit Analysis: Martin's (1942) aphids under rotenone, deguelin
// and a mixture of the two.
const ExampleGroup kExample[] = {
    {"鱼藤酮", 2.6, 50, 6},   {"", 3.8, 48, 16},        {"", 5.1, 46, 24},  {"", 7.7, 49, 42},
    {"", 10.2, 50, 44},       {"鱼藤素", 5.1, 49, 16},  {"", 10, 48, 18},   {"", 20.4, 48, 34},
    {"", 30.2, 49, 47},       {"", 40.7, 50, 47},       {"", 50.1, 48, 48}, {"混合物", 2.5, 47, 7},
    {"", 5.1, 46, 22},        {"", 10, 46, 27},         {"", 15.1, 48, 38}, {"", 20.4, 46, 43},
    {"", 25.1, 50, 48},
};

}  // namespace

void WritePotencyTemplate(InputGrid& grid) {
    GridSheet& sheet = grid.activeSheet();
    sheet.rename(kPotencySheetName);
    const RangeRef all{{1, kNameColumn}, {kLastDataRow, kPositivesColumn}};
    sheet.setViewableRange(all);
    sheet.setGridlines(false);

    sheet.setFontSize(all, 10);
    sheet.setHorizontalAlignment(all, HAlign::Center);
    sheet.setBoxBorders(RangeRef{{kFirstDataRow, kNameColumn}, {kLastDataRow, kPositivesColumn}}, 5);
    sheet.setColumnWidth(kNameColumn, 10);

    sheet.setValue(CellRef{1, kNameColumn}, std::string("制剂"));
    sheet.setValue(CellRef{1, kDoseColumn}, std::string("剂量(D)"));
    sheet.setValue(CellRef{1, kSizeColumn}, std::string("例数(n)"));
    sheet.setValue(CellRef{1, kPositivesColumn}, std::string("阳性数"));

    int row = kFirstDataRow;
    for (const ExampleGroup& g : kExample) {
        if (*g.name) sheet.setValue(CellRef{row, kNameColumn}, std::string(g.name));
        else sheet.setValue(CellRef{row, kNameColumn}, model::CellValue{});
        sheet.setValue(CellRef{row, kDoseColumn}, g.dose);
        sheet.setValue(CellRef{row, kSizeColumn}, g.n);
        sheet.setValue(CellRef{row, kPositivesColumn}, g.positives);
        ++row;
    }

    sheet.setNumberFormat(RangeRef{{1, kDoseColumn}, {kLastDataRow, kDoseColumn}}, "#####0.000");
    sheet.setNumberFormat(RangeRef{{1, kSizeColumn}, {kLastDataRow, kPositivesColumn}}, "#####0");
    grid.select("A1");
    grid.notifyChanged();
}

report::HelpBox PotencyHelpBox() {
    const std::vector<std::string> lines = {
        "【举例说明】",
        "    鱼藤酮、鱼藤素及二者混合物对菊小长管蚜的毒性试验(Martin 1942),结果如下:",
        "        鱼藤酮 剂量2.6、3.8、5.1、7.7、10.2,例数50、48、46、49、50,死亡数6、16、24、42、44",
        "        鱼藤素 剂量5.1、10、20.4、30.2、40.7、50.1,例数49、48、48、49、50、48,死亡数16、18、34、47、47、48",
        "        混合物 剂量2.5、5.1、10、15.1、20.4、25.1,例数47、46、46、48、46、50,死亡数7、22、27、38、43、48",
        "    三种制剂的毒力是否相同?相对效价是多少?",
        "",
        "【用法说明】",
        "    1、参考例算 击〖计算〗,即按表中数据进行计算,显示各项计算结果",
        "    2、实际计算 先击〖清屏〗,每行填入一个剂量组:制剂名称、剂量、例数及阳性数后,击〖计算〗",
        "    3、同一制剂的各组应连续排列,制剂名称只需填在第一组,其下留空的名称即为同一制剂",
        "    4、剂量为0的组为对照组:名称为\"对照\"时为各制剂共用,名称为某制剂时只属于该制剂",
        "    5、〖参数设置〗中可选择probit或logit、自然反应率(无、Abbott校正或估计)、参比制剂及其他LDk",
        "",
        "【适用范围】",
        "    2至10种制剂(每种3至12个剂量组)的量效关系比较,如不同药物、不同批次或不同品系动物的半数致死量比较",
        "",
        "【计算内容】",
        "    1、各制剂分别拟合最大似然回归直线,求LD10、LD50、LD90及其Fieller可信限",
        "    2、平行性检验、平行线下的等同性检验及重合性检验(似然比G²,有异质性时另给F检验)",
        "    3、平行线模型的共同斜率、各制剂LD50及两两相对效价(Fieller可信限)",
        "    4、不要求平行的LDk比值检验(z检验,Holm法校正P值)",
        "    5、拟合优度P<0.15时按Finney法作异质性校正",
        "    6、对数剂量对几率单位作图",
        "",
        "【参考文献】",
        "    Finney DJ. Probit Analysis. 3rd ed. Cambridge: Cambridge University Press, 1971",
        "    Robertson JL, et al. Bioassays with Arthropods. 2nd ed. Boca Raton: CRC Press, 2007",
    };
    return {"半数量斜率两两对比在线帮助", report::JoinHelpLines(lines)};
}

}  // namespace tavelmark::potency
