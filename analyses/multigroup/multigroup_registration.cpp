#include "analyses/multigroup/multigroup_registration.h"

#include <array>
#include <string>
#include <variant>

#include "analyses/multigroup/multigroup_options_codec.h"
#include "analyses/multigroup/multigroup_template.h"
#include "analyses/multigroup/run_multigroup.h"

namespace tavelmark::multigroup {

using report::AnalysisRun, report::CheckedOptions, report::CommandLineOption, report::CommandLineValues,
    report::Given, report::OptionArity, report::ValuesOf;

namespace {

// Each option and the member of the options object it sets; the codec checks
// the values, so a file and the command line follow one set of rules.
struct NamedOption {
    const char* option;
    const char* member;
};
constexpr std::array<NamedOption, 4> kMembers{{
    {"--control", "reference"},
    {"--normal-control", "normalControl"},
    {"--unequal-variances", "alwaysUnequalVariances"},
    {"--focus", "focus"},
}};

constexpr std::array<CommandLineOption, 4> kCommandLine{{
    {"--control", "参照组 (模型组) 的组名; 默认为组名含“模型”的第一组, 否则为第一列", OptionArity::Value, "NAME"},
    {"--normal-control", "正常对照组的组名: 与参照组比较, 以 # 标记; 默认不作此比较", OptionArity::Value, "NAME"},
    {"--unequal-variances", "始终按方差不齐处理 (Welch 方差分析, Games-Howell 法)", OptionArity::Flag},
    {"--focus",
     "推荐中先列哪种比较: all-pairs (两两比较, 多组均数分析, 默认), "
     "against-reference (与参照组比较, 各实验组与对照组均数比较)",
     OptionArity::Value, "NAME"},
}};

CheckedOptions AsChecked(const std::variant<MultigroupOptions, std::string>& decoded) {
    if (const auto* refusal = std::get_if<std::string>(&decoded)) return {{}, *refusal};
    return {MultigroupOptionsToJson(std::get<MultigroupOptions>(decoded)), {}};
}

CheckedOptions FromCommandLine(const CommandLineValues& values) {
    nlohmann::json options = nlohmann::json::object();
    std::string given;  // the options a refusal is about
    for (const NamedOption& named : kMembers) {
        if (!Given(values, named.option)) continue;
        const std::vector<std::string>& value = ValuesOf(values, named.option);
        if (value.empty())
            options[named.member] = true;
        else
            options[named.member] = value.front();
        given += (given.empty() ? "" : " ") + std::string(named.option) + (value.empty() ? "" : " " + value.front());
    }
    options["extended"] = Given(values, "--extended");
    CheckedOptions checked = AsChecked(MultigroupOptionsFromJson(options));
    if (!checked.refusal.empty()) checked.refusal = given + ": " + checked.refusal;
    return checked;
}

AnalysisRun Run(model::InputGrid& grid, const nlohmann::json& saved, const CommandLineValues&,
                report::Prompter& prompter, const report::ReportContext& context) {
    return {RunMultigroup(grid, std::get<MultigroupOptions>(MultigroupOptionsFromJson(saved)), prompter, context),
            {}};
}

}  // namespace

const report::AnalysisRegistration& Registration() {
    static const report::AnalysisRegistration kMultigroup{
        .name = "multigroup",
        .caption = "多组均数分析",
        .commandHelp = "多组均数分析 (方差分析, 多重比较及非参检验; 每列一组, 第1行为组名)",
        .commandLine = kCommandLine,
        .optionsFromCommandLine = FromCommandLine,
        .checkOptions = [](const nlohmann::json& saved) { return AsChecked(MultigroupOptionsFromJson(saved)); },
        .writeTemplate = [](model::InputGrid& grid, const nlohmann::json&) { WriteMultigroupTemplate(grid); },
        .run = Run,
    };
    return kMultigroup;
}

}  // namespace tavelmark::multigroup
