#include "analyses/rates/rates_options_codec.h"

#include <array>
#include <charconv>
#include <utility>

namespace tavelmark::rates {

using nlohmann::json;

namespace {

bool Flag(const json& options, const char* name, bool otherwise) {
    const auto it = options.find(name);
    return it != options.end() && it->is_boolean() ? it->get<bool>() : otherwise;
}

constexpr std::array<std::pair<RatesMenuCommand, std::string_view>, 4> kMenuCommands{{
    {RatesMenuCommand::RateAna, "rate-ana"},
    {RatesMenuCommand::EnRateAna, "en-rate-ana"},
    {RatesMenuCommand::RateComp, "rate-comp"},
    {RatesMenuCommand::OddAna, "odd-ana"},
}};

constexpr std::array<std::pair<std::string_view, int>, 9> kItemNames{{
    {"mh", 4}, {"t", 5}, {"u", 6}, {"u-prime", 7}, {"g", 8},
    {"size", 9}, {"rates", 10}, {"odds", 11}, {"equivalence", 12},
}};

bool IsOptionalItem(int index) {
    return index >= RatesOptions::kFirstOptionalItem && index <= RatesOptions::kLastItem;
}

}  // namespace

std::optional<int> RatesItemIndex(std::string_view item) {
    for (const auto& [name, index] : kItemNames)
        if (name == item) return index;
    int index = 0;
    const auto [end, error] = std::from_chars(item.data(), item.data() + item.size(), index);
    if (error == std::errc{} && end == item.data() + item.size() && IsOptionalItem(index)) return index;
    return std::nullopt;
}

std::optional<RatesMenuCommand> RatesMenuCommandNamed(std::string_view name) {
    for (const auto& [command, commandName] : kMenuCommands)
        if (commandName == name) return command;
    return std::nullopt;
}

std::string_view RatesMenuCommandName(RatesMenuCommand command) {
    for (const auto& [value, name] : kMenuCommands)
        if (value == command) return name;
    return kMenuCommands.front().second;
}

json RatesOptionsToJson(const RatesOptions& o) {
    json items = json::array();
    for (int i = RatesOptions::kFirstOptionalItem; i <= RatesOptions::kLastItem; ++i)
        if (o.item(i)) items.push_back(i);
    return {{"items", items}, {"captionCommand", RatesMenuCommandName(o.captionCommand)}, {"extended", o.extended}};
}

std::variant<RatesOptions, std::string> RatesOptionsFromJson(const json& options) {
    RatesOptions o;
    if (const auto items = options.find("items"); items != options.end() && items->is_array())
        for (const json& item : *items) {
            // Compared as JSON numbers: an integer beyond int's range is no item either.
            if (!item.is_number_integer() || item < RatesOptions::kFirstOptionalItem || item > RatesOptions::kLastItem)
                return "选项 items 中的 " + item.dump() + " 不是可选的报告项目 (4 至 12)";
            o.setItem(item.get<int>(), true);
        }
    if (const auto command = options.find("captionCommand"); command != options.end() && command->is_string()) {
        const auto named = RatesMenuCommandNamed(command->get<std::string>());
        if (!named) return "选项 captionCommand 的值 " + command->dump() + " 不是菜单命令 (rate-ana, en-rate-ana, rate-comp, odd-ana)";
        o.captionCommand = *named;
    }
    o.extended = Flag(options, "extended", o.extended);
    return o;
}

}  // namespace tavelmark::rates
