#include "analyses/multigroup/multigroup_options_codec.h"

#include <optional>

namespace tavelmark::multigroup {

namespace {

constexpr const char* kReference = "reference";
constexpr const char* kNormalControl = "normalControl";
constexpr const char* kAlwaysUnequal = "alwaysUnequalVariances";
constexpr const char* kFocus = "focus";
constexpr const char* kExtended = "extended";
constexpr const char* kAllPairs = "all-pairs";
constexpr const char* kAgainstReference = "against-reference";

std::string Named(const char* member) { return std::string("选项“") + member + "”"; }

// The member's value, its default when missing, or the refusal.
template <class T>
std::optional<std::string> Read(const nlohmann::json& options, const char* member, T& into, const char* typeName) {
    const auto it = options.find(member);
    if (it == options.end()) return std::nullopt;
    const bool rightType = [&] {
        if constexpr (std::is_same_v<T, bool>)
            return it->is_boolean();
        else
            return it->is_string();
    }();
    if (!rightType) return Named(member) + "应为" + typeName;
    into = it->template get<T>();
    return std::nullopt;
}

}  // namespace

nlohmann::json MultigroupOptionsToJson(const MultigroupOptions& options) {
    return {
        {kReference, options.reference},
        {kNormalControl, options.normalControl},
        {kAlwaysUnequal, options.alwaysUnequalVariances},
        {kFocus, options.focus == MultigroupFocus::AgainstReference ? kAgainstReference : kAllPairs},
        {kExtended, options.extended},
    };
}

std::variant<MultigroupOptions, std::string> MultigroupOptionsFromJson(const nlohmann::json& options) {
    if (!options.is_object()) return std::string("选项应为一个对象");
    MultigroupOptions out;
    std::string focus = kAllPairs;
    for (const auto& refusal : {Read(options, kReference, out.reference, "文字(组名)"),
                                Read(options, kNormalControl, out.normalControl, "文字(组名)"),
                                Read(options, kAlwaysUnequal, out.alwaysUnequalVariances, "true或false"),
                                Read(options, kFocus, focus, "文字"), Read(options, kExtended, out.extended, "true或false")})
        if (refusal) return *refusal;
    if (focus == kAgainstReference)
        out.focus = MultigroupFocus::AgainstReference;
    else if (focus != kAllPairs)
        return Named(kFocus) + "只能是“" + kAllPairs + "”或“" + kAgainstReference + "”,不能是“" + focus + "”";
    if (!out.reference.empty() && out.reference == out.normalControl)
        return Named(kReference) + "与" + Named(kNormalControl) + "不能是同一组";
    return out;
}

}  // namespace tavelmark::multigroup
