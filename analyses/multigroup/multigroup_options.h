#pragma once
// The options dialog's state: which group the others are compared with, an
// optional normal (blank) control compared with it in turn, whether the path
// for unequal variances is always taken, which comparison the recommendation
// leads with, and the second sheet.
#include <string>

namespace tavelmark::multigroup {

// 多组均数分析 opens with all pairs first; 各实验组与对照组均数比较 with
// the comparisons against the reference group.
enum class MultigroupFocus { AllPairs, AgainstReference };

struct MultigroupOptions {
    // Heading of the reference group; empty: the first heading containing
    // 模型, otherwise the first column (papers compare treatments with the
    // model group, not the blank one).
    std::string reference;
    // Heading of the normal control (正常对照组) that the reference group is
    // compared with, marked #; empty: none.
    std::string normalControl;
    // 始终按方差不齐处理: Welch's path whatever the variance test says.
    bool alwaysUnequalVariances = false;
    MultigroupFocus focus = MultigroupFocus::AllPairs;
    // 扩展结果.
    bool extended = false;
};

}  // namespace tavelmark::multigroup
