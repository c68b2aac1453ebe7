#pragma once
// The result-items dialog's choices as the analysis file's "options" object
// holds them: the chosen sections by their command-line names.
#include <string>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

#include "analyses/means/means_options.h"

namespace tavelmark::means {

nlohmann::json MeansOptionsToJson(const MeansOptions& options);

// A member that is missing or of another type takes the dialog's default; a
// section name the program does not know is refused, with the reason.
std::variant<MeansOptions, std::string> MeansOptionsFromJson(const nlohmann::json& options);

// "variance,rank-sum" as names, empty ones skipped.
std::vector<std::string> SplitNameList(const std::string& list);

// The command-line names of the sections, in the report's order, comma separated.
std::string MeansSectionNames();

}  // namespace tavelmark::means
