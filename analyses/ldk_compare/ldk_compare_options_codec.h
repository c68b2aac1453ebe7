#pragma once
// The LDk comparison's one option as the analysis file's "options" object holds it.
#include <nlohmann/json.hpp>

#include "analyses/ldk_compare/ldk_compare.h"

namespace tavelmark::ldk_compare {

nlohmann::json LDkCompareOptionsToJson(const LDkCompareOptions& options);

// A member that is missing or of another type takes the window's default.
LDkCompareOptions LDkCompareOptionsFromJson(const nlohmann::json& options);

}  // namespace tavelmark::ldk_compare
