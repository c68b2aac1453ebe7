#pragma once
// The analysis's fixed texts: names, messages and the words of the report
// that more than one file writes.
namespace tavelmark::multigroup::text {

inline constexpr const char* kAnalysisName = "多组均数分析";
inline constexpr const char* kControlAnalysisName = "各实验组与对照组均数比较";
inline constexpr const char* kReportTitle = "多组均数分析(方差分析、多重比较及非参检验)计算结果";
inline constexpr const char* kControlReportTitle = "各实验组与对照组均数比较(Dunnett法、Welch法及非参检验)计算结果";

// Why a figure is missing.
inline constexpr const char* kZeroSd = "标准差为0,不能计算";
inline constexpr const char* kTooFewForNormality = "n<3,未作正态性检验";
inline constexpr const char* kTooFewForGrubbs = "n<3,未作Grubbs检验";
inline constexpr const char* kZeroWithinVariance = "组内方差为0,不能计算";
inline constexpr const char* kNotComputable = "无法计算";

// Refusals of the input checks, in the words and titles of the two-group window.
inline constexpr const char* kTooFewGroupsTitle = "数据量不足";
inline constexpr const char* kTooFewGroups = "至少需要两组数据,请在第1行填入各组组名,其下填入数据后再计算";
inline constexpr const char* kTooFewValuesTitle = "数据量不足";
inline constexpr const char* kTooFewValuesTail = "数据量太少(每组至少2个数据),无法计算";
inline constexpr const char* kBadCellTitle = "缺项或类型错误！";
inline constexpr const char* kBadCell = "发现缺项或类型错误,请补足或校正后再计算";
inline constexpr const char* kMissingNameTitle = "缺项或类型错误！";
inline constexpr const char* kMissingName = "发现缺少组名的数据列,请在第1行填入组名后再计算";
inline constexpr const char* kDuplicateNameTitle = "组名重复！";
inline constexpr const char* kDuplicateNameTail = "组名重复,请改为互不相同的组名后再计算";
inline constexpr const char* kTooLargeTitle = "数据错误！";
inline constexpr const char* kTooLarge = "数据的绝对值过大(超过1e150),平方和将溢出,无法计算";
inline constexpr const char* kNoVariationTitle = "数据无变异！";
inline constexpr const char* kNoVariation = "各组全部数据均相等,无变异,无法比较";
inline constexpr const char* kReferenceTitle = "参照组错误！";
inline constexpr const char* kReferenceMissingHead = "表中没有名为“";
inline constexpr const char* kReferenceMissingTail = "”的组,请重新选择参照组";
inline constexpr const char* kSameReferences = "模型组与正常对照组不能是同一组,请重新选择";

}  // namespace tavelmark::multigroup::text
