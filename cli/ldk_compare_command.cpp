#include "analyses/ldk_compare/ldk_compare.h"
#include "cli/commands.h"
#include "documents/analysis_options.h"

namespace tavelmark::cli {

using ldk_compare::LDkCompareOptions, ldk_compare::LoadLDkCompareWorkbook, ldk_compare::RunLDkCompare,
    ldk_compare::WriteLDkCompareTemplate;

namespace {

struct LDkCompareCommandOptions {
    CommonOptions common;
    LDkCompareOptions ldk;
};

}  // namespace

void AddLDkCompareCommand(CLI::App& app, int& exitCode, Streams io) {
    auto* command = app.add_subcommand("ldk-compare", "LDk两两比较 (各批 LD50±L95 的两两 t 检验)");
    auto options = std::make_shared<LDkCompareCommandOptions>();
    AddExtendedOption(*command, options->ldk.extended);
    AddCommonOptions(*command, options->common);
    command->callback([options, &exitCode, io] {
        model::InputGrid grid;
        LoadLDkCompareWorkbook(grid);
        WriteLDkCompareTemplate(grid);
        const LDkCompareOptions& ldk = options->ldk;
        exitCode = RunCalculation(
            grid, options->common, io,
            [&](report::Prompter& prompter) { return RunLDkCompare(grid, prompter, FindReportContext(), ldk); },
            [&] { return documents::AnalysisDocument{documents::AnalysisKind::LDkCompare, {}, documents::OptionsJson(ldk), {}, {}}; });
    });
}

}  // namespace tavelmark::cli
