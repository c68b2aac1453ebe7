#include "analyses/bliss/bliss_registration.h"

#include <array>
#include <variant>

#include "analyses/bliss/bliss_messages.h"
#include "analyses/bliss/bliss_options_codec.h"
#include "analyses/bliss/bliss_template.h"
#include "analyses/bliss/ldk_calculator.h"
#include "analyses/bliss/run_bliss.h"

namespace tavelmark::bliss {

using report::AnalysisRun, report::CheckedOptions, report::CommandLineOption, report::CommandLineValues,
    report::Given, report::OptionArity, report::ValuesOf;

namespace {

constexpr std::array<CommandLineOption, 6> kCommandLine{{
    {"--background", "本底死亡率 (%), 0 至 100 (不含); 默认 0", OptionArity::Value, "PCT"},
    {"--intermediate", "中间结果"},
    {"--fieller", "Feiller氏Sx50校正"},
    {"--heterogeneity", "异质性的全面校正"},
    {"--chart", "回归几率单位(Yr)对对数剂量(X)作图 (需 --intermediate)"},
    {"--ldk", "计算 LDk (k 为百分数), 可重复; 每个 k 输出 LDk, L95, ML95 三行", OptionArity::RepeatedValue,
     "K", {}, true},
}};

CheckedOptions Checked(const std::variant<BlissOptions, std::string>& decoded) {
    if (const auto* refusal = std::get_if<std::string>(&decoded)) return {{}, *refusal};
    return {BlissOptionsToJson(std::get<BlissOptions>(decoded)), {}};
}

CheckedOptions FromCommandLine(const CommandLineValues& values) {
    BlissOptions options;
    if (Given(values, "--background")) {
        options.backgroundText = ValuesOf(values, "--background").front();
        if (options.backgroundText.empty() ||
            options.backgroundText.find_first_not_of("0123456789.") != std::string::npos)
            return {{}, "--background: 请输入 0 至 100 之间的百分数"};
        if (!IsBackgroundText(options.backgroundText))
            return {{}, std::string(text::kBackgroundRangeTitle) + ": " + text::kBackgroundRange};
    }
    for (const std::string& k : ValuesOf(values, "--ldk"))
        if (!IsComputedLDkLevel(k)) return {{}, "--ldk " + k + ": " + text::kLDkLevelRange};
    options.showIntermediate = Given(values, "--intermediate");
    options.showFieller = Given(values, "--fieller");
    options.showHeterogeneity = Given(values, "--heterogeneity");
    options.drawChart = Given(values, "--chart");
    options.extended = Given(values, "--extended");
    return Checked(options);
}

AnalysisRun Run(model::InputGrid& grid, const nlohmann::json& saved, const CommandLineValues& values,
                report::Prompter& prompter, const report::ReportContext& context) {
    const BlissOptions options = std::get<BlissOptions>(BlissOptionsFromJson(saved));
    BlissOutcome outcome = RunBliss(grid, options, prompter, context);
    AnalysisRun run{std::move(outcome.report), {}};
    if (!outcome.fit || run.report.refused) return run;
    for (const std::string& k : ValuesOf(values, "--ldk")) {
        const LDkTexts texts = LDkTextsFor(outcome.fit->handOver(), k);
        run.printedAfter += "LDk\t" + texts.ldk + "\nL95\t" + texts.l95 + "\nML95\t" + texts.ml95 + '\n';
        if (!texts.why.empty()) run.advisedAfter += "--ldk " + k + ": " + texts.why + '\n';
    }
    return run;
}

}  // namespace

const report::AnalysisRegistration& Registration() {
    static const report::AnalysisRegistration kBliss{
        .name = "bliss",
        .caption = "正规Bliss法",
        .commandHelp = "正规Bliss法 LD50 计算 (几率单位回归)",
        .commandLine = kCommandLine,
        .optionsFromCommandLine = FromCommandLine,
        .checkOptions = [](const nlohmann::json& saved) { return Checked(BlissOptionsFromJson(saved)); },
        .writeTemplate = [](model::InputGrid& grid, const nlohmann::json&) { WriteBlissTemplate(grid); },
        .run = Run,
    };
    return kBliss;
}

}  // namespace tavelmark::bliss
