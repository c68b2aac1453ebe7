// Saving a report as .xlsx, and the share of it spent giving the number cells
// their shortest round-trip texts. The report is the two-group means example
// with every section: its sheet part is the largest of the four reports.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <limits>

#include "analyses/means/means_template.h"
#include "analyses/means/run_means.h"
#include "hosts/xlsx_export.h"
#include "hosts/xlsx_number_texts.h"

namespace {

using namespace tavelmark;
namespace fs = std::filesystem;

Workbook MeansReport() {
    InputGrid grid;
    WriteMeansTemplate(grid);
    RecordingPrompter prompter;  // the outlier question answered No
    ReportOutcome outcome = RunMeans(grid, MeansOptions::All(), prompter, ReportContext{TAVELMARK_RESOURCES});
    return outcome.workbook ? std::move(*outcome.workbook) : Workbook{};
}

void BM_SaveMeansReport(benchmark::State& state) {
    const Workbook report = MeansReport();
    const fs::path path = fs::temp_directory_path() / "tavelmark-bench-numbers.xlsx";
    for (auto _ : state)
        if (!SaveXlsx(report, path.string())) state.SkipWithError("not written");
    fs::remove(path);
}
BENCHMARK(BM_SaveMeansReport)->Unit(benchmark::kMillisecond);

// The worst case of the rewriting pass: every number cell's text differs
// from the model's (each value moved to its next double), so every worksheet
// part is read, rewritten and compressed again.
void BM_RewriteEveryNumberText(benchmark::State& state) {
    const Workbook report = MeansReport();
    Workbook moved = report;
    for (std::size_t i = 0; i < report.sheets.size(); ++i)
        for (const auto& [cell, value] : report.sheets[i].cells().values())
            if (const double* v = std::get_if<double>(&value))
                moved.sheets[i].setValue(cell, std::nextafter(*v, std::numeric_limits<double>::infinity()));
    const fs::path written = fs::temp_directory_path() / "tavelmark-bench-numbers-written.xlsx";
    const fs::path path = fs::temp_directory_path() / "tavelmark-bench-numbers-rewritten.xlsx";
    if (!SaveXlsx(report, written.string())) state.SkipWithError("not written");
    for (auto _ : state) {
        state.PauseTiming();
        fs::copy_file(written, path, fs::copy_options::overwrite_existing);
        state.ResumeTiming();
        if (!WriteShortestNumberTexts(moved, path.string(), nullptr)) state.SkipWithError("not rewritten");
    }
    fs::remove(written);
    fs::remove(path);
}
BENCHMARK(BM_RewriteEveryNumberText)->Unit(benchmark::kMillisecond);

}  // namespace
