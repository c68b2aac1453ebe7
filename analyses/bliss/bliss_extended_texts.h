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

}  // namespace tavelmark::bliss::text
