#pragma once
// The words of the potency report where a figure cannot be given, and its
// captions and notes.
namespace tavelmark::potency::text {

inline constexpr const char* kReportTitle = "半数量斜率两两对比计算结果";
inline constexpr const char* kExtendedTitle = "半数量斜率两两对比扩展结果";

// Why a figure is missing.
inline constexpr const char* kSeparated = "阳性组与阴性组按剂量完全分开,最大似然估计不存在";
inline constexpr const char* kRankDeficient = "剂量不足以确定直线,无法拟合";
inline constexpr const char* kNotConverged = "迭代未收敛,无法计算";
inline constexpr const char* kSingular = "信息阵奇异,无法计算标准误";
inline constexpr const char* kGAboveOne = "g≥1,可信限不存在(斜率的95%可信区间包含0)";
inline constexpr const char* kBeyondRange = "超出数值范围,无法计算";
inline constexpr const char* kNoDf = "自由度为0,无法计算";
inline constexpr const char* kLineMissing = "该制剂的直线无法拟合";
inline constexpr const char* kNotParallelFit = "平行线模型无法拟合";

inline constexpr const char* kParallelRejected = "平行性检验P<0.05,相对效价仅供参考";
inline constexpr const char* kAtZero = "C = 0";

}  // namespace tavelmark::potency::text
