#include "analyses/potency/potency_options_codec.h"

#include <cmath>
#include <utility>

namespace tavelmark::potency {

using nlohmann::json;

namespace {

constexpr std::pair<numeric::QuantalLink, const char*> kLinks[] = {
    {numeric::QuantalLink::Probit, "probit"},
    {numeric::QuantalLink::Logit, "logit"},
};
constexpr std::pair<NaturalResponseOption, const char*> kNatural[] = {
    {NaturalResponseOption::None, "none"},
    {NaturalResponseOption::Abbott, "abbott"},
    {NaturalResponseOption::Estimate, "estimate"},
};

template <class Value, std::size_t N>
const char* NameOf(const std::pair<Value, const char*> (&names)[N], Value v) {
    for (const auto& [value, name] : names)
        if (value == v) return name;
    return names[0].second;
}

// The value named by the text, or a sentence naming the member and what it takes.
template <class Value, std::size_t N>
std::variant<Value, std::string> ValueOf(const std::pair<Value, const char*> (&names)[N], const json& j,
                                         const char* member) {
    std::string allowed;
    for (const auto& [value, name] : names) {
        if (j.is_string() && j.get<std::string>() == name) return value;
        allowed += allowed.empty() ? name : std::string("、") + name;
    }
    return "选项成员\"" + std::string(member) + "\"应为" + allowed + "之一";
}

}  // namespace

bool ValidLDkPercent(double percent) { return std::isfinite(percent) && percent > 0 && percent < 100; }

json PotencyOptionsToJson(const PotencyOptions& o) {
    return {{"link", NameOf(kLinks, o.link)},
            {"natural", NameOf(kNatural, o.natural)},
            {"reference", o.reference},
            {"ldk", o.extraLDk},
            {"extended", o.extended}};
}

std::variant<PotencyOptions, std::string> PotencyOptionsFromJson(const json& options) {
    PotencyOptions o;
    if (!options.is_object()) return std::string("选项应为一个JSON对象");
    if (const auto it = options.find("link"); it != options.end()) {
        auto link = ValueOf(kLinks, *it, "link");
        if (auto* why = std::get_if<std::string>(&link)) return *why;
        o.link = std::get<numeric::QuantalLink>(link);
    }
    if (const auto it = options.find("natural"); it != options.end()) {
        auto natural = ValueOf(kNatural, *it, "natural");
        if (auto* why = std::get_if<std::string>(&natural)) return *why;
        o.natural = std::get<NaturalResponseOption>(natural);
    }
    if (const auto it = options.find("reference"); it != options.end()) {
        if (!it->is_string()) return std::string("选项成员\"reference\"应为文字(制剂名称)");
        o.reference = it->get<std::string>();
    }
    if (const auto it = options.find("ldk"); it != options.end()) {
        if (!it->is_array()) return std::string("选项成员\"ldk\"应为百分数的数组");
        for (const json& k : *it) {
            if (!k.is_number() || !ValidLDkPercent(k.get<double>()))
                return std::string("选项成员\"ldk\"的每个值应为介于0与100之间(不含)的百分数");
            o.extraLDk.push_back(k.get<double>());
        }
    }
    if (const auto it = options.find("extended"); it != options.end()) {
        if (!it->is_boolean()) return std::string("选项成员\"extended\"应为true或false");
        o.extended = it->get<bool>();
    }
    return o;
}

}  // namespace tavelmark::potency
