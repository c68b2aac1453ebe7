#pragma once
// The options of each analysis as the "options" object of a saved analysis.
// A member that is missing or of the wrong type takes the dialog's default,
// so a file from an older program, which knew fewer options, still opens.
#include <nlohmann/json.hpp>

#include "analyses/bliss/bliss_types.h"
#include "analyses/ldk_compare/ldk_compare.h"
#include "analyses/means/means_options.h"
#include "analyses/rates/rates_options.h"

namespace tavelmark::documents {

nlohmann::json OptionsJson(const bliss::BlissOptions& options);
nlohmann::json OptionsJson(const means::MeansOptions& options);
nlohmann::json OptionsJson(const rates::RatesOptions& options);
nlohmann::json OptionsJson(const ldk_compare::LDkCompareOptions& options);

bliss::BlissOptions BlissOptionsFrom(const nlohmann::json& options);
means::MeansOptions MeansOptionsFrom(const nlohmann::json& options);
rates::RatesOptions RatesOptionsFrom(const nlohmann::json& options);
ldk_compare::LDkCompareOptions LDkCompareOptionsFrom(const nlohmann::json& options);

}  // namespace tavelmark::documents
