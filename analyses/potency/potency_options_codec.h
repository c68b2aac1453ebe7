#pragma once
// The options as the "options" object of a saved analysis.
#include <string>
#include <variant>

#include <nlohmann/json.hpp>

#include "analyses/potency/potency_options.h"

namespace tavelmark::potency {

nlohmann::json PotencyOptionsToJson(const PotencyOptions& options);

// Missing members take their defaults; a member of the wrong type or a bad
// value is refused with a sentence in Chinese naming the member.
std::variant<PotencyOptions, std::string> PotencyOptionsFromJson(const nlohmann::json& options);

}  // namespace tavelmark::potency
