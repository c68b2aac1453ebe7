#pragma once
// The options dialog's state as the analysis file's "options" object holds it.
#include <string>
#include <variant>

#include <nlohmann/json.hpp>

#include "analyses/multigroup/multigroup_options.h"

namespace tavelmark::multigroup {

nlohmann::json MultigroupOptionsToJson(const MultigroupOptions& options);

// Missing members take their defaults; a member of the wrong type or a bad
// value is refused with a sentence in Chinese naming the member.
std::variant<MultigroupOptions, std::string> MultigroupOptionsFromJson(const nlohmann::json& options);

}  // namespace tavelmark::multigroup
