#pragma once
// The texts of the potency comparison's message boxes, in one place. The
// cell checks use the Bliss window's words.
#include <string>

namespace tavelmark::potency::text {

inline constexpr const char* kHintTitle = "提示！";
inline constexpr const char* kTypeMismatchTitle = "类型不匹配！";
inline constexpr const char* kTypeMismatchTail = "组,发现空单元格或类型不匹配";  // after "本例有" + rows
inline constexpr const char* kOutOfRangeTitle = "超出范围！";
inline constexpr const char* kPositivesAboveSize = "动物阳性数不得大于每组例数";
inline constexpr const char* kBadValueTitle = "数据类型错误或超出范围！";
inline constexpr const char* kDoseNegative = "给药剂量应为正数";
inline constexpr const char* kSizeNotCount = "每组的例数应为非0频数";
inline constexpr const char* kPositivesNotCount = "每组的阳性数应为频数";
inline constexpr const char* kDataEntryTitle = "数据录入错误！";

inline constexpr const char* kTooFewPreparations = "至少需要两种制剂才能比较效价";
inline constexpr const char* kControlsAllPositive = "对照组阳性率为100%,无法计算";
// Texts where the task leaves the words to us.
inline constexpr const char* kFirstNameMissing = "第一组的制剂名称不能为空";
inline constexpr const char* kControlWithDose = "对照组的剂量应为0";
inline constexpr const char* kTooManyPreparations = "制剂不得超过10种";

inline constexpr const char* kControlName = "对照";

// "制剂「X」" + what is wrong with it.
inline std::string Preparation(const std::string& name, const char* tail) { return "制剂「" + name + "」" + tail; }
inline constexpr const char* kTooFewDoses = "剂量组数太少(<3),无法计算";
inline constexpr const char* kTooManyDoses = "剂量组数超过12组";
inline constexpr const char* kOneDose = "各组剂量相同,无法进行回归计算";
inline constexpr const char* kNoGroupBetween = "没有阳性率介于0与100%之间的组,斜率无法估计";
inline std::string Reappears(const std::string& name, int row) {
    return "制剂「" + name + "」在第" + std::to_string(row) + "行再次出现,同一制剂的各组应连续排列";
}
inline std::string ReferenceMissing(const std::string& name) { return "参比制剂「" + name + "」不在本例数据中"; }

}  // namespace tavelmark::potency::text
