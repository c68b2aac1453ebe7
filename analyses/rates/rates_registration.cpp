#include "analyses/rates/rates_registration.h"

#include <array>
#include <string>
#include <variant>

#include "analyses/rates/rates_options_codec.h"
#include "analyses/rates/rates_window.h"
#include "analyses/rates/run_rates.h"

namespace tavelmark::rates {

using report::AnalysisRun, report::CheckedOptions, report::CommandLineOption, report::CommandLineValues,
    report::Given, report::OptionArity, report::ValuesOf;

namespace {

constexpr std::array<CommandLineOption, 3> kCommandLine{{
    {"--items",
     "报告的可选项目, 以逗号分隔: 4 mh (Mantel-Haenszel), 5 t, 6 u, 7 u-prime (U'), 8 g, "
     "9 size (例数估算), 10 rates (阳性率及可信限), 11 odds (比数与比数比), 12 equivalence "
     "(等效性检验)",
     OptionArity::Value, "LIST"},
    {"--all", "报告全部可选项目 (4 至 12)", OptionArity::Flag, {}, "--items"},
    {"--variant",
     "打开数据录入窗口的菜单命令: rate-ana (智能化两组有效率分析, 默认), "
     "en-rate-ana (两组有效率分析), rate-comp (两样本率比较), odd-ana (比数比分析, "
     "同时选中项目 11)",
     OptionArity::Value, "NAME"},
}};

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

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

CheckedOptions Checked(const std::variant<RatesOptions, std::string>& decoded) {
    if (const auto* refusal = std::get_if<std::string>(&decoded)) return {{}, *refusal};
    return {RatesOptionsToJson(std::get<RatesOptions>(decoded)), {}};
}

CheckedOptions FromCommandLine(const CommandLineValues& values) {
    RatesOptions options;
    if (Given(values, "--variant")) {
        const std::string& name = ValuesOf(values, "--variant").front();
        const auto command = RatesMenuCommandNamed(Lower(name));
        if (!command) return {{}, "--variant: " + name + " 不是菜单命令 (rate-ana, en-rate-ana, rate-comp, odd-ana)"};
        // What the menu command does to the options (the caption, or the odds
        // item); the grid it writes is set up again for the input file.
        model::InputGrid scratch;
        RunRatesMenuCommand(*command, scratch, options);
    }
    if (Given(values, "--all")) {
        RatesOptions everything = RatesOptions::All();
        everything.captionCommand = options.captionCommand;
        options = everything;
    }
    if (Given(values, "--items"))
        for (const std::string& item : SplitItems(ValuesOf(values, "--items").front())) {
            const auto index = RatesItemIndex(item);
            if (!index) return {{}, "--items: 未知的报告项目: " + item};
            options.setItem(*index, true);
        }
    options.extended = Given(values, "--extended");
    return Checked(options);
}

AnalysisRun Run(model::InputGrid& grid, const nlohmann::json& saved, const CommandLineValues&,
                report::Prompter& prompter, const report::ReportContext& context) {
    return {RunRates(grid, std::get<RatesOptions>(RatesOptionsFromJson(saved)), prompter, context), {}};
}

}  // namespace

const report::AnalysisRegistration& Registration() {
    static const report::AnalysisRegistration kRates{
        .name = "rates",
        .caption = "智能化两组有效率分析",
        .commandHelp = "智能化两组阳性率分析 (2×2 表: 卡方, Fisher 精确概率, t/U 检验, 比数比, 等效性, 例数)",
        .commandLine = kCommandLine,
        .optionsFromCommandLine = FromCommandLine,
        .checkOptions = [](const nlohmann::json& saved) { return Checked(RatesOptionsFromJson(saved)); },
        .writeTemplate = [](model::InputGrid& grid, const nlohmann::json&) { WriteRatesTemplate(grid); },
        .run = Run,
    };
    return kRates;
}

}  // namespace tavelmark::rates
