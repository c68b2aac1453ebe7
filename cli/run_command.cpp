// tavelmark-cli run: a saved analysis replayed, giving the report its window
// gives for the same grid and options.
#include <memory>
#include <string>

#include "cli/commands.h"
#include "documents/analysis_document.h"

namespace tavelmark::cli {

using documents::AnalysisDocument;

namespace {

struct RunOptions {
    CommonOptions common;
    std::string file;
};

// The grid as the analysis's window sets it up, then the saved values.
int Replay(const report::AnalysisRegistration& analysis, const AnalysisDocument& document,
           const CommonOptions& common, Streams io) {
    model::InputGrid grid;
    analysis.writeTemplate(grid, document.options);
    const model::RangeRef reachable = grid.activeSheet().viewableRange();
    for (const documents::SavedCell& saved : document.cells)
        if (!reachable.contains(saved.cell)) {
            io.err << "无法打开分析数据文件: 该文件中的单元格 " << model::CellName(saved.cell)
                   << " 位于表格可录入区域之外，文件已损坏。\n";
            return kInputRefused;
        }
    documents::ApplyCells(document.cells, grid.activeSheet());
    std::string printedAfter, advisedAfter;
    const int exitCode = RunLoadedCalculation(common, io, [&](report::Prompter& prompter) {
        report::AnalysisRun run = analysis.run(grid, document.options, {}, prompter, FindReportContext());
        printedAfter = std::move(run.printedAfter);
        advisedAfter = std::move(run.advisedAfter);
        return std::move(run.report);
    });
    if (exitCode != kReportWritten) return exitCode;
    io.err << advisedAfter;
    return printedAfter.empty() ? exitCode : PrintAfterReport(printedAfter, io);
}

}  // namespace

void AddRunCommand(CLI::App& app, report::AnalysisCatalogue analyses, int& exitCode, Streams io) {
    auto* command = app.add_subcommand("run", "重算一个已保存的分析数据文件 (.tavelmark)");
    auto options = std::make_shared<RunOptions>();
    command->add_option("FILE", options->file, "分析数据文件")->required()->check(CLI::ExistingFile);
    AddOutputOptions(*command, options->common);
    command->callback([options, analyses, &exitCode, io] {
        const documents::ReadResult read = documents::LoadAnalysisFile(options->file, analyses);
        if (!read.document) {
            io.err << "无法打开分析数据文件: " << read.error << '\n';
            exitCode = kInputRefused;
            return;
        }
        exitCode = Replay(*report::FindAnalysis(analyses, read.document->analysis), *read.document,
                          options->common, io);
    });
}

}  // namespace tavelmark::cli
