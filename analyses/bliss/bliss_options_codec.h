#pragma once
// The Bliss options as the analysis file's "options" object holds them, and
// the rules a saved or typed background mortality is checked by.
#include <string>
#include <string_view>
#include <variant>

#include <nlohmann/json.hpp>

#include "analyses/bliss/bliss_types.h"

namespace tavelmark::bliss {

nlohmann::json BlissOptionsToJson(const BlissOptions& options);

// A member that is missing or of another type takes the dialog's default
// (older files keep opening); a background mortality the options dialog could
// not hold is refused, with the reason.
std::variant<BlissOptions, std::string> BlissOptionsFromJson(const nlohmann::json& options);

// What the options dialog's percent box can hold: digits and points only
// (empty reads as 0), a value below 100.
bool IsBackgroundText(std::string_view text);

}  // namespace tavelmark::bliss
