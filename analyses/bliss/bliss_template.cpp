#include "analyses/bliss/bliss_template.h"

#include <string>
#include <vector>

namespace tavelmark::bliss {

using model::CellRef, model::GridSheet, model::HAlign, model::InputGrid, model::Range;

void WriteBlissTemplate(InputGrid& grid) {
    // The window's stored design: one sheet, rows 1 to 13 and columns A to D
    // within reach, no gridlines.
    GridSheet& sheet = grid.activeSheet();
    sheet.rename(kBlissSheetName);
    sheet.setViewableRange(Range("A1:D13"));
    sheet.setGridlines(false);

    sheet.setFontSize(Range("A1:D13"), 10);
    sheet.setHorizontalAlignment(Range("A1:D13"), HAlign::Center);
    sheet.setBoxBorders(Range("B2:D13"), 5);  // thin blue boxes where data go
    sheet.setColumnWidth(1, 3.5);

    sheet.setValue("A1", std::string("组别"));
    sheet.setValue("B1", std::string("剂量(D)"));
    sheet.setValue("C1", std::string("例数(n)"));
    sheet.setValue("D1", std::string("阳性数"));
    for (int group = 1; group <= 12; ++group) sheet.setValue(CellRef{group + 1, 1}, double(group));

    // The worked example of the help text.
    const double doses[] = {35, 25, 17.2, 12, 8.3, 5.85};
    const double positives[] = {20, 17, 16, 6, 2, 0};
    for (int i = 0; i < 6; ++i) {
        sheet.setValue(CellRef{i + 2, 2}, doses[i]);
        sheet.setValue(CellRef{i + 2, 3}, 20.0);
        sheet.setValue(CellRef{i + 2, 4}, positives[i]);
    }

    sheet.setNumberFormat(Range("B:B"), "#####0.000");
    sheet.setNumberFormat(Range("C:D"), "#####0");
    grid.select("A1");
    grid.notifyChanged();
}

report::HelpBox BlissHelpBox() {
    const std::vector<std::string> lines = {
        "【举例说明】",
        "    某次急性毒性研究,结果如下:",
        "        6个不同剂量组的剂量分别为35、25、17.2、12、8.3、5.85",
        "        每组实验动物均为20只,上述剂量下对应的死亡数为20、17、16、6、2、0",
        "    假设本底死亡率为0%,请计算该药的LD50?",
        "",
        "【用法说明】",
        "    1、参考例算 击〖计算〗,即按表中数据进行计算,显示各项计算结果",
        "    2、实际计算 填入各组的剂量、每组总例数(允许每组例数不等)及每组阳性数后,击〖计算〗",
        "",
        "【适用范围】",
        "    半数量的计算采用公认的正规法(Bliss法),本模块适于计算各种半数量(如半数致死量、半数中毒量、半数有效量等)",
        "",
        "【计算内容】",
        "    1、采用多次逼近法求得回归几率单位(误差<0.05),并由此求得其它相关参数(正规Bliss法计算结果栏)",
        "    2、对结果进行异质性检验。异质性检验有统计意义时,自动进行回归显著性指数(g)、可信限的异质性校正",
        "    3、无论回归显著性指数(g)是否小于0.1,均提供Feiller可信限校正,可供参考",
        "    4、本模块对于本底死亡率(自然死亡率)不为0时,提供Abbott校正",
        "    5、进行回归几率单位(Yr)对对数剂量(X)作图",
        "    6、列出13个常用的LDk,并允许用户计算任意的LDk(如LD3.5等)",
        "",
        "【参考文献】",
        "    定量药理学.北京:人民卫生出版社,1987:P167",
    };
    return {"正规Bliss法(LD50计算)在线帮助", report::JoinHelpLines(lines)};
}

}  // namespace tavelmark::bliss
