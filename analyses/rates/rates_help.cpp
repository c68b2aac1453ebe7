#include "analyses/rates/rates_help.h"

#include <string>
#include <vector>

#include "analyses/rates/rates_options.h"
#include "analyses/rates/rates_window.h"

namespace tavelmark::rates {

using report::HelpBox, report::JoinHelpLines;

namespace {

std::vector<std::string> GroupLines() {
    return {
        "【举例说明】",
        "        R组(参比药)  32例, 阳性(有效) 12例, 阴性(无效) 20例",
        "        T组(试验药)  30例, 阳性(有效) 19例, 阴性(无效) 11例",
        "    请检验两药阳性率差异是否显著?",
        "",
        "【用法说明】",
        "    1、参考例算 击〖计算〗,即按表中数据进行计算,显示各项计算结果",
        "    2、实际计算 先击〖清屏〗,分别填入两组的阳性数、阴性数后,击〖计算〗",
        "",
        "【适用范围】",
        "    1、2×2卡方四格表,录入的数据必须为频数、无配对关系",
        "    2、存在观察数小于3的单元格或理论数小于5且总例数小于40时,宜用Fisher精确概率法",
        "    3、2×2卡方四格表计算结果推荐使用Fisher精确概率法,其余结果作为参考",
        "",
        "【计算内容】",
        "    1、分别计算R组、T组的阳性率、95%可信限;比数Odd、比数比OR、相对危险度RR",
        "    2、计算各种方法的统计值及P值,一般以Fisher精确概率法(双侧P值)为准,其它各计算值仅供参考",
        "    3、例数估计:预设4个把握度,分别计算达P≤0.05水平每组所需最小例数",
        "    4、等效性检验:预设6个等效标准(以R组阳性率±X％为等效范围),进行不交叉的双向单侧t检验",
        "",
        "【参考文献】",
        "    1、统计软件包中四格表卡方检验与Fisher精确概率法的计算程序",
        "    2、中国医学百科全书  医学统计学  P96",
        "    3.分类数据的统计分析及SAS编程  P16",
    };
}

// The same box for two treatments instead of two groups (lines 2, 3, 4, 8, 16).
std::vector<std::string> SampleLines() {
    auto lines = GroupLines();
    lines[1] = "        处理1  32例, 阳性(有效) 12例, 阴性(无效) 20例";
    lines[2] = "        处理2  30例, 阳性(有效) 19例, 阴性(无效) 11例";
    lines[3] = "    请检验两样本(处理)率差异是否显著?";
    lines[7] = "    2、实际计算 先击〖清屏〗,分别填入两处理的阳性数、阴性数后,击〖计算〗";
    lines[15] = "    1、分别计算处理1、处理2的阳性率、95%可信限;比数Odd、比数比OR、相对危险度RR";
    return lines;
}

}  // namespace

HelpBox RatesHelpBox(RatesMenuCommand captionCommand) {
    switch (captionCommand) {
        case RatesMenuCommand::EnRateAna:
            return HelpBox{"阳性率分析(2×2卡方法)在线帮助", JoinHelpLines(GroupLines())};
        case RatesMenuCommand::RateComp:
            return HelpBox{"智能化两样本率比较(2×2卡方法)在线帮助", JoinHelpLines(SampleLines())};
        case RatesMenuCommand::RateAna:
        case RatesMenuCommand::OddAna: break;
    }
    return HelpBox{"智能化两组阳性率分析在线帮助", JoinHelpLines(GroupLines())};
}

}  // namespace tavelmark::rates
