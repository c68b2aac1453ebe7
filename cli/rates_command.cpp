// tavelmark-cli rates: the two-group rates analysis of a 2x2 table.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "analyses/rates/rates_window.h"
#include "analyses/rates/run_rates.h"
#include "cli/commands.h"
#include "documents/analysis_options.h"

namespace tavelmark::cli {

using rates::RatesMenuCommand, rates::RatesOptions, rates::RunRates, rates::RunRatesMenuCommand,
    rates::kRatesWindowCaption;

namespace {

// Report items by the options dialog's index or by a short name.
const std::map<std::string, int>& ItemNames() {
    static const std::map<std::string, int> names{
        {"mh", 4},       {"t", 5},     {"u", 6},     {"u-prime", 7},      {"g", 8},
        {"size", 9},     {"rates", 10}, {"odds", 11}, {"equivalence", 12},
    };
    return names;
}

std::optional<int> ItemIndex(const std::string& item) {
    if (auto it = ItemNames().find(item); it != ItemNames().end()) return it->second;
    try {
        std::size_t used = 0;
        const int index = std::stoi(item, &used);
        if (used == item.size() && index >= RatesOptions::kFirstOptionalItem &&
            index <= RatesOptions::kLastItem)
            return index;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

std::vector<std::string> SplitItems(const std::string& list) {
    std::vector<std::string> items;
    std::string item;
    for (char ch : list + ",") {
        if (ch != ',') {
            item += ch;
        } else if (!item.empty()) {
            items.push_back(item);
            item.clear();
        }
    }
    return items;
}

struct RatesCommandOptions {
    CommonOptions common;
    std::string items;
    bool all = false;
    bool extended = false;
    RatesMenuCommand variant = RatesMenuCommand::RateAna;
};

}  // namespace

void AddRatesCommand(CLI::App& app, int& exitCode, Streams io) {
    auto* command = app.add_subcommand(
        "rates", "智能化两组阳性率分析 (2×2 表: 卡方, Fisher 精确概率, t/U 检验, 比数比, 等效性, 例数)");
    auto options = std::make_shared<RatesCommandOptions>();
    AddCommonOptions(*command, options->common);

    const CLI::Validator itemCheck(
        [](std::string& list) -> std::string {
            for (const auto& item : SplitItems(list))
                if (!ItemIndex(item)) return "未知的报告项目: " + item;
            return {};
        },
        "LIST");
    auto* items = command->add_option(
        "--items", options->items,
        "报告的可选项目, 以逗号分隔: 4 mh (Mantel-Haenszel), 5 t, 6 u, 7 u-prime (U'), 8 g, "
        "9 size (例数估算), 10 rates (阳性率及可信限), 11 odds (比数与比数比), 12 equivalence "
        "(等效性检验)");
    items->check(itemCheck);
    auto* all = command->add_flag("--all", options->all, "报告全部可选项目 (4 至 12)");
    items->excludes(all);
    AddExtendedOption(*command, options->extended);

    const std::map<std::string, RatesMenuCommand> variants{
        {"rate-ana", RatesMenuCommand::RateAna},
        {"en-rate-ana", RatesMenuCommand::EnRateAna},
        {"rate-comp", RatesMenuCommand::RateComp},
        {"odd-ana", RatesMenuCommand::OddAna},
    };
    command
        ->add_option("--variant", options->variant,
                     "打开数据录入窗口的菜单命令: rate-ana (智能化两组有效率分析, 默认), "
                     "en-rate-ana (两组有效率分析), rate-comp (两样本率比较), odd-ana (比数比分析, "
                     "同时选中项目 11)")
        ->transform(CLI::CheckedTransformer(variants, CLI::ignore_case));

    command->callback([options, &exitCode, io] {
        model::InputGrid grid;
        RatesOptions rates;
        RunRatesMenuCommand(options->variant, grid, rates);
        if (options->all) rates = [&] {
            RatesOptions everything = RatesOptions::All();
            everything.captionCommand = rates.captionCommand;
            return everything;
        }();
        for (const auto& item : SplitItems(options->items)) rates.setItem(*ItemIndex(item), true);
        rates.extended = options->extended;

        exitCode = RunCalculation(
            grid, options->common, io,
            [&](report::Prompter& prompter) { return RunRates(grid, rates, prompter, FindReportContext()); },
            [&] { return documents::AnalysisDocument{documents::AnalysisKind::Rates, {}, documents::OptionsJson(rates), {}, {}}; });
    });
}

}  // namespace tavelmark::cli
