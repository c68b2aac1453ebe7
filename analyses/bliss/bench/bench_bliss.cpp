// The Bliss probit fit for the largest grid (twelve groups), and the whole
// calculate command from grid to report model with every option on.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "analyses/bliss/bliss_fit.h"
#include "analyses/bliss/bliss_template.h"
#include "analyses/bliss/run_bliss.h"

namespace {

using namespace tavelmark;

// Twelve groups on a doubling dose scale with rates along a probit line,
// unequal group sizes as real experiments have.
std::vector<bliss::BlissGroup> TwelveGroups() {
    std::vector<bliss::BlissGroup> groups;
    for (int i = 0; i < 12; ++i) {
        const double dose = 2.0 * std::pow(1.4, i);
        const double n = 10 + (i * 7) % 13;
        const double rate = 0.5 * std::erfc(-(-4.1 + 3.0 * std::log10(dose)) / std::sqrt(2.0));
        const double d = std::round(rate * n);
        groups.push_back({i + 2, dose, n, d, d / n});
    }
    return groups;
}

void BM_BlissFit12Groups(benchmark::State& state) {
    const auto groups = TwelveGroups();
    for (auto _ : state) {
        bliss::BlissFitOutcome outcome = bliss::FitBliss(groups, 0);
        benchmark::DoNotOptimize(outcome);
    }
}
BENCHMARK(BM_BlissFit12Groups);

void BM_RunBlissAllOptions12Groups(benchmark::State& state) {
    model::InputGrid grid;
    bliss::WriteBlissTemplate(grid);
    for (const bliss::BlissGroup& g : TwelveGroups()) {
        grid.setValue(model::CellRef{g.row, 2}, g.dose);
        grid.setValue(model::CellRef{g.row, 3}, g.n);
        grid.setValue(model::CellRef{g.row, 4}, g.positives);
    }
    bliss::BlissOptions options;
    options.showIntermediate = options.showFieller = options.showHeterogeneity = true;
    options.drawChart = true;
    for (auto _ : state) {
        report::RecordingPrompter prompter;
        bliss::BlissOutcome outcome = bliss::RunBliss(grid, options, prompter, report::ReportContext{});
        benchmark::DoNotOptimize(outcome);
    }
}
BENCHMARK(BM_RunBlissAllOptions12Groups);

}  // namespace
