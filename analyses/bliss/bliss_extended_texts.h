#pragma once
// The texts of the extended Bliss results: why a figure is missing, and the
// methods the sheet names.
namespace tavelmark::bliss::text {

inline constexpr const char* kExtendedTitle = "Bliss法(正规LD50计算)扩展结果";

// Why a figure is missing.
inline constexpr const char* kSeparatedData =
    "阳性组与阴性组按剂量完全分开,最大似然估计不存在";
inline constexpr const char* kSingleDoseData = "各组剂量相同,无法拟合";
inline constexpr const char* kFitNotSettled = "迭代未收敛,无法计算";
inline constexpr const char* kFiellerUnbounded = "g≥1,Fieller可信限不存在";
inline constexpr const char* kBeyondRange = "超出数值范围,无法计算";
inline constexpr const char* kNoDegreesOfFreedom = "自由度为0,无法计算P";
inline constexpr const char* kNoClassicFit = "正规Bliss法无结果,无法计算";
inline constexpr const char* kClassicLDkNone = "无法计算";
inline constexpr const char* kBackgroundLeftOut =
    "本底死亡率不为0:最大似然拟合按原始计数,未作Abbott校正";

// Beside the classic limits when the maximum-likelihood line says that no
// interval can be trusted.
inline constexpr const char* kClassicUnreliableG = "g≥1, 可信限不可靠";
inline constexpr const char* kClassicUnreliableSeparated =
    "阳性组与阴性组按剂量完全分开, 可信限不可靠";

// Where the report's first sheet gives other limits for the LD50, and why.
inline constexpr const char* kSheet1MethodForMl =
    "Sheet1为正规Bliss法: 几率单位加权回归迭代至误差<0.0005, 限为10^(X50±1.96·Sx50), "
    "不计斜率的误差; 此处为最大似然估计及Fieller限, 故数值不同";
inline constexpr const char* kSheet1MethodForCalculator =
    "同LDk计算器, 系数1.96020209842; Sheet1的L95系数为1.96, 故末位可能不同";

}  // namespace tavelmark::bliss::text
