#pragma once
// The rates options as the analysis file's "options" object holds them: the
// chosen items 4 to 12, the menu command behind the window's caption, and
// 扩展结果.
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include <nlohmann/json.hpp>

#include "analyses/rates/rates_options.h"

namespace tavelmark::rates {

nlohmann::json RatesOptionsToJson(const RatesOptions& options);

// A member that is missing or of another type takes the dialog's default; an
// item or a menu command the program does not know is refused, with the
// reason.
std::variant<RatesOptions, std::string> RatesOptionsFromJson(const nlohmann::json& options);

// An item by the dialog's index ("4" .. "12") or by its short name ("mh").
std::optional<int> RatesItemIndex(std::string_view item);

// The menu commands by their names in the file and on the command line
// ("rate-ana", "en-rate-ana", "rate-comp", "odd-ana").
std::optional<RatesMenuCommand> RatesMenuCommandNamed(std::string_view name);
std::string_view RatesMenuCommandName(RatesMenuCommand command);

}  // namespace tavelmark::rates
