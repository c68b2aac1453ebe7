#pragma once
// Why a figure of the extended means results is missing.
namespace tavelmark::means::text {

inline constexpr const char* kTooFewForSpread = "每组至少需2个数据, 无法计算";
inline constexpr const char* kNoSpread = "两组数据均无变异, 无法计算";
inline constexpr const char* kAllValuesEqual = "全部数据相同, 无法计算";
inline constexpr const char* kBothGroupsConstant = "两组数据各自相同, 无法计算区间";
inline constexpr const char* kRootNotFound = "求根未收敛, 无法计算";
// Values so large that a sum, a square or a difference leaves the range of
// double precision (about 1.8e308).
inline constexpr const char* kOverflow = "数值溢出, 无法计算";
inline constexpr const char* kOverflowLimits = "数值溢出, 无法计算可信限";

}  // namespace tavelmark::means::text
