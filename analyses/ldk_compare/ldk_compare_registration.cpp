#include "analyses/ldk_compare/ldk_compare_registration.h"

#include "analyses/ldk_compare/ldk_compare.h"
#include "analyses/ldk_compare/ldk_compare_options_codec.h"

namespace tavelmark::ldk_compare {

using report::AnalysisRun, report::CheckedOptions, report::CommandLineValues;

const report::AnalysisRegistration& Registration() {
    static const report::AnalysisRegistration kLDkCompare{
        .name = "ldk-compare",
        .caption = "LDk两两对比",
        .commandHelp = "LDk两两比较 (各批 LD50±L95 的两两 t 检验)",
        .commandLine = {},
        .optionsFromCommandLine =
            [](const CommandLineValues& values) {
                LDkCompareOptions options;
                options.extended = report::Given(values, "--extended");
                return CheckedOptions{LDkCompareOptionsToJson(options), {}};
            },
        .checkOptions =
            [](const nlohmann::json& saved) {
                return CheckedOptions{LDkCompareOptionsToJson(LDkCompareOptionsFromJson(saved)), {}};
            },
        .writeTemplate =
            [](model::InputGrid& grid, const nlohmann::json&) {
                LoadLDkCompareWorkbook(grid);
                WriteLDkCompareTemplate(grid);
            },
        .run = [](model::InputGrid& grid, const nlohmann::json& saved, const CommandLineValues&,
                  report::Prompter& prompter, const report::ReportContext& context) {
            return AnalysisRun{RunLDkCompare(grid, prompter, context, LDkCompareOptionsFromJson(saved)), {}};
        },
    };
    return kLDkCompare;
}

}  // namespace tavelmark::ldk_compare
