#include "analyses/means/means_registration.h"

#include <array>
#include <variant>

#include "analyses/means/means_options_codec.h"
#include "analyses/means/means_template.h"
#include "analyses/means/run_means.h"

namespace tavelmark::means {

using report::AnalysisRun, report::CheckedOptions, report::CommandLineOption, report::CommandLineValues,
    report::Given, report::OptionArity, report::ValuesOf;

namespace {

constexpr std::array<CommandLineOption, 2> kCommandLine{{
    {"--sections", "报告的可选部分, 逗号分隔", OptionArity::Value, "LIST"},
    {"--all", "写出报告的全部可选部分", OptionArity::Flag, {}, "--sections"},
}};

CheckedOptions Checked(const std::variant<MeansOptions, std::string>& decoded) {
    if (const auto* refusal = std::get_if<std::string>(&decoded)) return {{}, *refusal};
    return {MeansOptionsToJson(std::get<MeansOptions>(decoded)), {}};
}

CheckedOptions FromCommandLine(const CommandLineValues& values) {
    MeansOptions chosen = Given(values, "--all") ? MeansOptions::All() : MeansOptions{};
    chosen.extended = Given(values, "--extended");
    nlohmann::json options = MeansOptionsToJson(chosen);
    if (Given(values, "--sections"))
        for (const std::string& name : SplitNameList(ValuesOf(values, "--sections").front()))
            options["sections"].push_back(name);
    CheckedOptions checked = Checked(MeansOptionsFromJson(options));
    if (!checked.refusal.empty()) checked.refusal = "--sections: " + checked.refusal;
    return checked;
}

AnalysisRun Run(model::InputGrid& grid, const nlohmann::json& saved, const CommandLineValues&,
                report::Prompter& prompter, const report::ReportContext& context) {
    return {RunMeans(grid, std::get<MeansOptions>(MeansOptionsFromJson(saved)), prompter, context), {}};
}

}  // namespace

const report::AnalysisRegistration& Registration() {
    static const report::AnalysisRegistration kMeans{
        .name = "means",
        .caption = "智能化两组均数分析",
        .commandHelp = "智能化两组均数分析 (t检验, t'检验及非参检验; A列 T组, B列 R组)",
        .commandLine = kCommandLine,
        .optionsFromCommandLine = FromCommandLine,
        .checkOptions = [](const nlohmann::json& saved) { return Checked(MeansOptionsFromJson(saved)); },
        .writeTemplate = [](model::InputGrid& grid, const nlohmann::json&) { WriteMeansTemplate(grid); },
        .run = Run,
    };
    return kMeans;
}

}  // namespace tavelmark::means
