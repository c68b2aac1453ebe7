// The whole LDk comparison as the command line runs it, from a filled grid to
// the .xlsx on disk, for the worked example and for a full grid of ten batches.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "analyses/ldk_compare/ldk_compare.h"
#include "xlsx/xlsx_export.h"

namespace {

using namespace tavelmark;

void FillBatches(model::InputGrid& grid, int batches) {
    for (int k = 0; k < batches; ++k) {
        grid.setValue(model::CellRef{2 + k, 2}, 10.0 + 1.5 * k);
        grid.setValue(model::CellRef{2 + k, 3}, 1.0 + 0.3 * k);
    }
}

void BM_LDkCompareToXlsx(benchmark::State& state) {
    model::InputGrid grid;
    ldk_compare::LoadLDkCompareWorkbook(grid);
    ldk_compare::WriteLDkCompareTemplate(grid);
    FillBatches(grid, static_cast<int>(state.range(0)));
    const report::ReportContext context{TAVELMARK_RESOURCES};
    const std::string path =
        (std::filesystem::temp_directory_path() / "tavelmark-bench-ldk.xlsx").string();
    report::RecordingPrompter prompter;
    for (auto _ : state) {
        prompter.events.clear();
        const report::ReportOutcome outcome = ldk_compare::RunLDkCompare(grid, prompter, context);
        if (!outcome.workbook || !xlsx::SaveXlsx(*outcome.workbook, path)) state.SkipWithError("not written");
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_LDkCompareToXlsx)->Arg(3)->Arg(10)->Unit(benchmark::kMillisecond);

void BM_LDkCompareReportOnly(benchmark::State& state) {
    model::InputGrid grid;
    ldk_compare::LoadLDkCompareWorkbook(grid);
    ldk_compare::WriteLDkCompareTemplate(grid);
    FillBatches(grid, 10);
    report::RecordingPrompter prompter;
    for (auto _ : state) {
        prompter.events.clear();
        benchmark::DoNotOptimize(ldk_compare::RunLDkCompare(grid, prompter, {}));
    }
}
BENCHMARK(BM_LDkCompareReportOnly)->Unit(benchmark::kMicrosecond);

}  // namespace
