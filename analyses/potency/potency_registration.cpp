#include "analyses/potency/potency_registration.h"

#include <array>
#include <optional>
#include <string>
#include <variant>

#include "analyses/potency/potency_options_codec.h"
#include "analyses/potency/potency_percent_text.h"
#include "analyses/potency/potency_template.h"
#include "analyses/potency/run_potency.h"

namespace tavelmark::potency {

using report::AnalysisRun, report::CheckedOptions, report::CommandLineOption, report::CommandLineValues,
    report::Given, report::OptionArity, report::ValuesOf;

namespace {

constexpr std::array<CommandLineOption, 4> kCommandLine{{
    {"--link", "剂量反应模型: probit (默认) 或 logit", OptionArity::Value, "probit|logit"},
    {"--natural", "自然反应率: none (默认, 不考虑)、abbott (按对照组固定) 或 estimate (作为参数估计)",
     OptionArity::Value, "none|abbott|estimate"},
    {"--reference", "参比制剂的名称; 默认为第一种制剂", OptionArity::Value, "NAME"},
    {"--ldk", "另算 LDk (k 为百分数, 介于 0 与 100 之间), 可重复", OptionArity::RepeatedValue, "K"},
}};

CheckedOptions Checked(const std::variant<PotencyOptions, std::string>& decoded) {
    if (const auto* refusal = std::get_if<std::string>(&decoded)) return {{}, *refusal};
    return {PotencyOptionsToJson(std::get<PotencyOptions>(decoded)), {}};
}

// Each option is checked as the member of a saved file it becomes, so that a
// refusal names the option the user typed.
CheckedOptions FromCommandLine(const CommandLineValues& values) {
    nlohmann::json options = nlohmann::json::object();
    const auto member = [&](const char* option, const char* name) -> std::string {
        if (!Given(values, option)) return {};
        const std::string& text = ValuesOf(values, option).front();
        options[name] = text;
        const CheckedOptions alone = Checked(PotencyOptionsFromJson(nlohmann::json{{name, text}}));
        return alone.refusal.empty() ? std::string() : std::string(option) + " " + text + ": " + alone.refusal;
    };
    for (const auto& [option, name] : {std::pair{"--link", "link"}, {"--natural", "natural"},
                                       {"--reference", "reference"}})
        if (std::string refusal = member(option, name); !refusal.empty()) return {{}, refusal};
    options["ldk"] = nlohmann::json::array();
    for (const std::string& k : ValuesOf(values, "--ldk")) {
        const std::optional<double> percent = PercentTextValue(k);
        const CheckedOptions alone =
            percent ? Checked(PotencyOptionsFromJson(nlohmann::json{{"ldk", nlohmann::json::array({*percent})}})) : CheckedOptions{};
        if (!percent || !alone.refusal.empty())
            return {{}, "--ldk " + k + ": 应为介于0与100之间(不含)的百分数"};
        options["ldk"].push_back(*percent);
    }
    options["extended"] = Given(values, "--extended");
    return Checked(PotencyOptionsFromJson(options));
}

AnalysisRun Run(model::InputGrid& grid, const nlohmann::json& saved, const CommandLineValues&,
                report::Prompter& prompter, const report::ReportContext& context) {
    const PotencyOptions options = std::get<PotencyOptions>(PotencyOptionsFromJson(saved));
    return {RunPotency(grid, options, prompter, context), {}, {}};
}

}  // namespace

const report::AnalysisRegistration& Registration() {
    static const report::AnalysisRegistration kPotency{
        .name = "potency",
        .caption = "半数量斜率两两对比",
        .commandHelp = "半数量斜率两两对比 (各制剂量效直线的平行性检验、相对效价及LDk比值检验)",
        .commandLine = kCommandLine,
        .optionsFromCommandLine = FromCommandLine,
        .checkOptions = [](const nlohmann::json& saved) { return Checked(PotencyOptionsFromJson(saved)); },
        .writeTemplate = [](model::InputGrid& grid, const nlohmann::json&) { WritePotencyTemplate(grid); },
        .run = Run,
    };
    return kPotency;
}

}  // namespace tavelmark::potency
