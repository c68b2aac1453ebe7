#include "analyses/ldk_compare/ldk_compare.h"
#include "cli/commands.h"

namespace tavelmark::cli {

using ldk_compare::LoadLDkCompareWorkbook, ldk_compare::RunLDkCompare,
    ldk_compare::WriteLDkCompareTemplate;

void AddLDkCompareCommand(CLI::App& app, int& exitCode, Streams io) {
    auto* command = app.add_subcommand("ldk-compare", "LDk两两比较 (各批 LD50±L95 的两两 t 检验)");
    auto options = std::make_shared<CommonOptions>();
    AddCommonOptions(*command, *options);
    command->callback([options, &exitCode, io] {
        model::InputGrid grid;
        LoadLDkCompareWorkbook(grid);
        WriteLDkCompareTemplate(grid);
        exitCode = RunCalculation(
            grid, *options, io,
            [&](report::Prompter& prompter) { return RunLDkCompare(grid, prompter, FindReportContext()); },
            [] { return documents::AnalysisDocument{documents::AnalysisKind::LDkCompare, {}, nlohmann::json::object(), {}, {}}; });
    });
}

}  // namespace tavelmark::cli
