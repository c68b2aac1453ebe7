#pragma once
// The texts of the Bliss analysis's message boxes, in one place.

namespace tavelmark::bliss::text {

inline constexpr const char* kTypeMismatchTitle = "类型不匹配！";
inline constexpr const char* kTypeMismatchTail = "组,发现空单元格或类型不匹配";  // after "本例有" + groups
inline constexpr const char* kTooFewGroups = "本例组数太少(<3),无法计算";
inline constexpr const char* kHintTitle = "提示！";
inline constexpr const char* kPositivesAboveSize = "动物阳性数不得大于每组例数";
inline constexpr const char* kOutOfRangeTitle = "超出范围！";
inline constexpr const char* kBelowBackground = "实验死亡率小于本底死亡率,该组不参与计算";
inline constexpr const char* kBadValueTitle = "数据类型错误或超出范围！";
inline constexpr const char* kDoseNotPositive = "给药剂量应为正数";
inline constexpr const char* kSizeNotCount = "每组的例数应为非0频数";
inline constexpr const char* kPositivesNotCount = "每组的阳性数应为频数";

// The options dialog's range message for the background mortality.
inline constexpr const char* kBackgroundRange = "本底死亡率应在[0%,100%)之间,请重新输入";
inline constexpr const char* kBackgroundRangeTitle = "数据超出范围！";

// A k the LDk calculator does not compute, given on a command line; and a k
// it computes whose dose or limits are beyond the range of numbers.
inline constexpr const char* kLDkLevelRange = "k 应为 0.001 与 99.999 之间 (不含两端) 的百分数";
inline constexpr const char* kLDkBeyondNumbers = "LDk或其95%可信限超出数值范围, 无法计算";

// Data the probit fit cannot handle (shown with kHintTitle).
inline constexpr const char* kEqualDoses = "各组剂量相同,无法进行回归计算";
inline constexpr const char* kNotConverged =
    "经100轮逼近,回归几率单位的误差仍未小于0.0005,本例数据无法计算";
inline constexpr const char* kZeroSlope = "回归直线的斜率为0,无法计算LD50";
inline constexpr const char* kNumericBreakdown = "计算中出现数值溢出,本例数据无法计算";

}  // namespace tavelmark::bliss::text
