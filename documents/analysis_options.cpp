#include "documents/analysis_options.h"

#include <array>
#include <string>
#include <utility>

#include "analyses/means/means_sections.h"

namespace tavelmark::documents {

using nlohmann::json;

namespace {

bool Flag(const json& options, const char* name, bool otherwise) {
    const auto it = options.find(name);
    return it != options.end() && it->is_boolean() ? it->get<bool>() : otherwise;
}

constexpr std::array<std::pair<rates::RatesMenuCommand, const char*>, 4> kMenuCommands{{
    {rates::RatesMenuCommand::RateAna, "rate-ana"},
    {rates::RatesMenuCommand::EnRateAna, "en-rate-ana"},
    {rates::RatesMenuCommand::RateComp, "rate-comp"},
    {rates::RatesMenuCommand::OddAna, "odd-ana"},
}};

}  // namespace

json OptionsJson(const bliss::BlissOptions& o) {
    return {{"backgroundPercent", o.backgroundText}, {"intermediate", o.showIntermediate},
            {"fieller", o.showFieller},              {"heterogeneity", o.showHeterogeneity},
            {"ldkCalculator", o.openLDkCalculator},  {"chart", o.drawChart},
            {"extended", o.extended}};
}

bliss::BlissOptions BlissOptionsFrom(const json& options) {
    bliss::BlissOptions o;
    if (const auto it = options.find("backgroundPercent"); it != options.end() && it->is_string())
        o.backgroundText = it->get<std::string>();
    o.showIntermediate = Flag(options, "intermediate", o.showIntermediate);
    o.showFieller = Flag(options, "fieller", o.showFieller);
    o.showHeterogeneity = Flag(options, "heterogeneity", o.showHeterogeneity);
    o.openLDkCalculator = Flag(options, "ldkCalculator", o.openLDkCalculator);
    o.drawChart = Flag(options, "chart", o.drawChart);
    o.extended = Flag(options, "extended", o.extended);
    return o;
}

json OptionsJson(const means::MeansOptions& o) {
    json sections = json::array();
    for (const auto& section : means::kMeansSections)
        if (o.*section.chosen) sections.push_back(section.cliName);
    return {{"sections", sections}, {"extended", o.extended}};
}

means::MeansOptions MeansOptionsFrom(const json& options) {
    means::MeansOptions o;
    o.extended = Flag(options, "extended", o.extended);
    const auto sections = options.find("sections");
    if (sections == options.end() || !sections->is_array()) return o;
    for (const json& name : *sections)
        for (const auto& section : means::kMeansSections)
            if (name.is_string() && name.get<std::string>() == section.cliName) o.*section.chosen = true;
    return o;
}

json OptionsJson(const rates::RatesOptions& o) {
    json items = json::array();
    for (int i = rates::RatesOptions::kFirstOptionalItem; i <= rates::RatesOptions::kLastItem; ++i)
        if (o.item(i)) items.push_back(i);
    const char* command = kMenuCommands.front().second;
    for (const auto& [value, name] : kMenuCommands)
        if (value == o.captionCommand) command = name;
    return {{"items", items}, {"captionCommand", command}, {"extended", o.extended}};
}

rates::RatesOptions RatesOptionsFrom(const json& options) {
    rates::RatesOptions o;
    if (const auto items = options.find("items"); items != options.end() && items->is_array())
        for (const json& item : *items)
            if (item.is_number_integer()) o.setItem(item.get<int>(), true);
    if (const auto command = options.find("captionCommand"); command != options.end() && command->is_string())
        for (const auto& [value, name] : kMenuCommands)
            if (command->get<std::string>() == name) o.captionCommand = value;
    o.extended = Flag(options, "extended", o.extended);
    return o;
}

json OptionsJson(const ldk_compare::LDkCompareOptions& o) { return {{"extended", o.extended}}; }

ldk_compare::LDkCompareOptions LDkCompareOptionsFrom(const json& options) {
    ldk_compare::LDkCompareOptions o;
    o.extended = Flag(options, "extended", o.extended);
    return o;
}

}  // namespace tavelmark::documents
