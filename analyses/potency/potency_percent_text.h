#pragma once
// Extra LDk percents as a user types them, on the command line (one a
// --ldk) and in the options dialog (a list).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavelmark::potency {

// The value of a percent typed as digits with at most one point ("95",
// "2.5", ".5"); nothing for any other text. Its range is the options' rule
// (ValidLDkPercent).
std::optional<double> PercentTextValue(std::string_view text);

// Percents separated by commas (also "，" and "、") or blanks, each in the
// options' range; nothing when one of them is not. An empty text is no percent.
std::optional<std::vector<double>> LDkPercentList(std::string_view text);

// The list as the dialog shows it: "5, 95".
std::string LDkPercentListText(const std::vector<double>& percents);

}  // namespace tavelmark::potency
