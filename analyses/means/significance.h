#pragma once
// Verdict texts shared by the tests of the means.
#include <optional>

namespace tavelmark::means {

// Said wherever a verdict would rest on a value that could not be computed.
inline constexpr const char* kNotComputable = "无法计算";

// From a two-sided P value: above 0.05 "差异无统计意义", at most 0.01
// "差异有高度统计意义", between "差异有统计意义" (0.05 itself is significant).
const char* ConclusionText(std::optional<double> pTwoSided);

}  // namespace tavelmark::means
