#include "analyses/means/means_options_codec.h"

#include <algorithm>

#include "analyses/means/means_sections.h"

namespace tavelmark::means {

using nlohmann::json;

namespace {

bool Flag(const json& options, const char* name, bool otherwise) {
    const auto it = options.find(name);
    return it != options.end() && it->is_boolean() ? it->get<bool>() : otherwise;
}

const MeansSection* SectionNamed(const std::string& name) {
    const auto it = std::find_if(kMeansSections.begin(), kMeansSections.end(),
                                 [&](const MeansSection& section) { return name == section.cliName; });
    return it == kMeansSections.end() ? nullptr : &*it;
}

}  // namespace

std::vector<std::string> SplitNameList(const std::string& list) {
    std::vector<std::string> names;
    std::string::size_type start = 0;
    while (start <= list.size()) {
        const auto comma = std::min(list.find(',', start), list.size());
        if (comma > start) names.push_back(list.substr(start, comma - start));
        start = comma + 1;
    }
    return names;
}

std::string MeansSectionNames() {
    std::string names;
    for (const auto& section : kMeansSections) names += (names.empty() ? "" : ",") + std::string(section.cliName);
    return names;
}

json MeansOptionsToJson(const MeansOptions& o) {
    json sections = json::array();
    for (const auto& section : kMeansSections)
        if (o.*section.chosen) sections.push_back(section.cliName);
    return {{"sections", sections}, {"extended", o.extended}};
}

std::variant<MeansOptions, std::string> MeansOptionsFromJson(const json& options) {
    MeansOptions o;
    o.extended = Flag(options, "extended", o.extended);
    const auto sections = options.find("sections");
    if (sections == options.end() || !sections->is_array()) return o;
    for (const json& name : *sections) {
        const MeansSection* section = name.is_string() ? SectionNamed(name.get<std::string>()) : nullptr;
        if (!section)
            return "选项 sections 中的 " + name.dump() + " 不是报告的可选部分 (可选: " + MeansSectionNames() + ")";
        o.*section->chosen = true;
    }
    return o;
}

}  // namespace tavelmark::means
