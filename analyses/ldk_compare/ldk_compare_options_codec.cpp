#include "analyses/ldk_compare/ldk_compare_options_codec.h"

namespace tavelmark::ldk_compare {

nlohmann::json LDkCompareOptionsToJson(const LDkCompareOptions& o) { return {{"extended", o.extended}}; }

LDkCompareOptions LDkCompareOptionsFromJson(const nlohmann::json& options) {
    LDkCompareOptions o;
    if (const auto it = options.find("extended"); it != options.end() && it->is_boolean()) o.extended = it->get<bool>();
    return o;
}

}  // namespace tavelmark::ldk_compare
