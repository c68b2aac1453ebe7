// tavelmark-cli run: a saved analysis replayed, giving the report its window
// gives for the same grid and options.
#include <memory>
#include <string>

#include "analyses/bliss/bliss_template.h"
#include "analyses/bliss/run_bliss.h"
#include "analyses/ldk_compare/ldk_compare.h"
#include "analyses/means/means_template.h"
#include "analyses/means/run_means.h"
#include "analyses/rates/rates_window.h"
#include "analyses/rates/run_rates.h"
#include "cli/commands.h"
#include "documents/analysis_document.h"
#include "documents/analysis_options.h"

namespace tavelmark::cli {

using documents::AnalysisDocument, documents::AnalysisKind;

namespace {

struct RunOptions {
    CommonOptions common;
    std::string file;
};

// The grid as the analysis's window sets it up, then the saved values.
int Replay(const AnalysisDocument& document, const CommonOptions& common, Streams io) {
    model::InputGrid grid;
    Calculate calculate;
    switch (document.kind) {
        case AnalysisKind::Bliss: {
            bliss::WriteBlissTemplate(grid);
            calculate = [&grid, options = documents::BlissOptionsFrom(document.options)](report::Prompter& p) {
                return bliss::RunBliss(grid, options, p, FindReportContext()).report;
            };
            break;
        }
        case AnalysisKind::Means:
            means::WriteMeansTemplate(grid);
            calculate = [&grid, options = documents::MeansOptionsFrom(document.options)](report::Prompter& p) {
                return means::RunMeans(grid, options, p, FindReportContext());
            };
            break;
        case AnalysisKind::Rates: {
            rates::RatesOptions options = documents::RatesOptionsFrom(document.options);
            rates::SetUpRatesGrid(grid);
            rates::WriteRatesTemplate(grid);
            calculate = [&grid, options](report::Prompter& p) {
                return rates::RunRates(grid, options, p, FindReportContext());
            };
            break;
        }
        case AnalysisKind::LDkCompare:
            ldk_compare::LoadLDkCompareWorkbook(grid);
            ldk_compare::WriteLDkCompareTemplate(grid);
            calculate = [&grid, options = documents::LDkCompareOptionsFrom(document.options)](report::Prompter& p) {
                return ldk_compare::RunLDkCompare(grid, p, FindReportContext(), options);
            };
            break;
    }
    const model::RangeRef reachable = grid.activeSheet().viewableRange();
    for (const documents::SavedCell& saved : document.cells)
        if (!reachable.contains(saved.cell)) {
            io.err << "无法打开分析数据文件: 该文件中的单元格 " << model::CellName(saved.cell)
                   << " 位于表格可录入区域之外，文件已损坏。\n";
            return kInputRefused;
        }
    documents::ApplyCells(document.cells, grid.activeSheet());
    return RunLoadedCalculation(common, io, calculate);
}

}  // namespace

void AddRunCommand(CLI::App& app, int& exitCode, Streams io) {
    auto* command = app.add_subcommand("run", "重算一个已保存的分析数据文件 (.tavelmark)");
    auto options = std::make_shared<RunOptions>();
    command->add_option("FILE", options->file, "分析数据文件")->required()->check(CLI::ExistingFile);
    AddOutputOptions(*command, options->common);
    command->callback([options, &exitCode, io] {
        const documents::ReadResult read = documents::LoadAnalysisFile(options->file, std::nullopt);
        if (!read.document) {
            io.err << "无法打开分析数据文件: " << read.error << '\n';
            exitCode = kInputRefused;
            return;
        }
        exitCode = Replay(*read.document, options->common, io);
    });
}

}  // namespace tavelmark::cli
