// Saving a report as .xlsx, and the share of it spent giving the number cells
// their shortest round-trip texts: the two-group means example with every
// section (its sheet part, 1 MB of markup, is the largest of the four reports)
// and the two-group rates example with every item (a small one).
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <limits>

#include "analyses/means/means_template.h"
#include "analyses/means/run_means.h"
#include "analyses/rates/rates_window.h"
#include "analyses/rates/run_rates.h"
#include "xlsx/xlsx_export.h"
#include "xlsx/xlsx_number_texts.h"

namespace {

using namespace tavelmark;
namespace fs = std::filesystem;

model::Workbook MeansReport() {
    model::InputGrid grid;
    means::WriteMeansTemplate(grid);
    report::RecordingPrompter prompter;  // the outlier question answered No
    report::ReportOutcome outcome = means::RunMeans(grid, means::MeansOptions::All(), prompter,
                                                    report::ReportContext{TAVELMARK_RESOURCES});
    return outcome.workbook ? std::move(*outcome.workbook) : model::Workbook{};
}

model::Workbook RatesReport() {
    model::InputGrid grid;
    rates::WriteRatesTemplate(grid);
    report::RecordingPrompter prompter;
    report::ReportOutcome outcome = rates::RunRates(grid, rates::RatesOptions::All(), prompter,
                                                    report::ReportContext{TAVELMARK_RESOURCES});
    return outcome.workbook ? std::move(*outcome.workbook) : model::Workbook{};
}

void BM_SaveReport(benchmark::State& state, model::Workbook (*makeReport)()) {
    const model::Workbook report = makeReport();
    const fs::path path = fs::temp_directory_path() / "tavelmark-bench-numbers.xlsx";
    for (auto _ : state)
        if (!xlsx::SaveXlsx(report, path.string())) state.SkipWithError("not written");
    fs::remove(path);
}
BENCHMARK_CAPTURE(BM_SaveReport, means, MeansReport)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SaveReport, rates, RatesReport)->Unit(benchmark::kMillisecond);

// The worst case of the rewriting pass: every number cell's text differs
// from the model's (each value moved to its next double), so every worksheet
// part is read, rewritten and compressed again.
void BM_RewriteEveryNumberText(benchmark::State& state, model::Workbook (*makeReport)()) {
    const model::Workbook report = makeReport();
    model::Workbook moved = report;
    for (std::size_t i = 0; i < report.sheets.size(); ++i)
        for (const auto& [cell, value] : report.sheets[i].cells().values())
            if (const double* v = std::get_if<double>(&value))
                moved.sheets[i].setValue(cell, std::nextafter(*v, std::numeric_limits<double>::infinity()));
    const fs::path written = fs::temp_directory_path() / "tavelmark-bench-numbers-written.xlsx";
    const fs::path path = fs::temp_directory_path() / "tavelmark-bench-numbers-rewritten.xlsx";
    if (!xlsx::SaveXlsx(report, written.string())) state.SkipWithError("not written");
    for (auto _ : state) {
        state.PauseTiming();
        fs::copy_file(written, path, fs::copy_options::overwrite_existing);
        state.ResumeTiming();
        if (!xlsx::WriteShortestNumberTexts(moved, path.string(), nullptr)) state.SkipWithError("not rewritten");
    }
    fs::remove(written);
    fs::remove(path);
}
BENCHMARK_CAPTURE(BM_RewriteEveryNumberText, means, MeansReport)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RewriteEveryNumberText, rates, RatesReport)->Unit(benchmark::kMillisecond);

}  // namespace
