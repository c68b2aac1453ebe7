#include "analyses/means/means_captions.h"

#include <vector>

namespace tavelmark::means {

using report::HelpBox, report::JoinHelpLines;

MeansMenuCommand MeansMenu(MeansMenuEntry entry) {
    switch (entry) {
        case MeansMenuEntry::AverAna:
            return {"mnuAverAna", "智能化两组均数分析", true, ""};
        case MeansMenuEntry::AverComp:
            return {"mnuAverComp", "两样本均数比较", false, kMeansCompareCaption};
        case MeansMenuEntry::ItelAna:
            return {"mnuItelAna", "两组智能化分析", false, kMeansIntelligentCaption};
    }
    return {"mnuAverAna", "智能化两组均数分析", true, ""};
}

namespace {

const std::vector<std::string>& HelpLines() {
    static const std::vector<std::string> lines = {
        "【举例说明】",
        "      实验组效应实测值为38.00、32.00、34.00……   参比组效应实测值为32.00、33.00、41.00……",
        "    比较两者疗效差异是否显著?",
        "",
        "【适用范围】",
        "\u3000\u30001、只限于两组计量资料的比较,如试验组(T组)和参比组(R组)的比较",
        "    2、数据录入区的数据只能为数值型,不得留有缺项",
        "    3、每组数据量至少在2个以上,即N1>2且N2>2,N1、N2的上限值为65530",
        "",
        "【计算过程】",
        "\u3000\u30001、分别计算T组和R组数据有关统计描述的常用统计量",
        "\u3000\u30002、用Grubbs法判断两组数据是否有离群值",
        "    3、判断T组和R组数据是否偏态",
        "\u3000\u30004、作方差齐性检验",
        "\u3000\u30005、方差相齐用t检验,方差不齐用t'检验",
        "    6、非参检验使用Wilcoxon-Mann-Whitney法",
        "    7、进行方法推荐",
        "",
        "【其它信息】",
        "    1、例数估计:预设4个把握度,分别计算达P≤0.05水平每组所需最小例数",
        "    2、等效性检验:预设5个等效标准,进行双向单侧t检验,不考虑两组差异是否有显著意",
        "",
        "【参考文献】",
        "    1、新药临床试验的设计与统计分析(两组均数比较), P112",
        "    2、医学统计学(两独立样本的秩和检验与方差齐性检验)",
    };
    return lines;
}

}  // namespace

std::optional<HelpBox> MeansHelpBox(std::string_view windowCaption) {
    const char* title = nullptr;
    if (windowCaption == kMeansWindowCaption)
        title = "智能化两组均数分析在线帮助";
    else if (windowCaption == kMeansIntelligentCaption)
        title = "智能化分析在线帮助";
    else if (windowCaption == kMeansCompareCaption)
        title = "智能化两样本均数比较在线帮助";
    if (!title) return std::nullopt;
    return HelpBox{title, JoinHelpLines(HelpLines())};
}

}  // namespace tavelmark::means
