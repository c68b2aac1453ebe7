// Dunnett's integral for nine treatments against one control (target: 5 ms),
// the computation of the largest grid (ten groups of 300 values), and the
// whole calculate command from grid to report model on it.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

#include "analyses/multigroup/multigroup_analysis.h"
#include "analyses/multigroup/multigroup_template.h"
#include "analyses/multigroup/run_multigroup.h"
#include "numeric/dunnett.h"

namespace {

using namespace tavelmark;

// Unequal sizes, so that no two treatments share a λ and the integral has no
// shortcut: the slowest case of nine comparisons.
std::vector<double> NineUnequalLambdas() {
    std::vector<double> lambdas;
    for (int i = 0; i < 9; ++i) lambdas.push_back(numeric::DunnettLambda(6 + i, 8));
    return lambdas;
}

void BM_DunnettNineTreatments(benchmark::State& state) {
    const std::vector<double> lambdas = NineUnequalLambdas();
    for (auto _ : state) benchmark::DoNotOptimize(numeric::DunnettUpper(2.7, lambdas, 80));
}
BENCHMARK(BM_DunnettNineTreatments)->Unit(benchmark::kMillisecond);

void BM_DunnettCriticalNineTreatments(benchmark::State& state) {
    const std::vector<double> lambdas = NineUnequalLambdas();
    for (auto _ : state) benchmark::DoNotOptimize(numeric::DunnettCritical(0.05, lambdas, 80));
}
BENCHMARK(BM_DunnettCriticalNineTreatments)->Unit(benchmark::kMillisecond);

// Ten groups of 300 values, normal scores with group shifts and spreads.
model::InputGrid LargestGrid() {
    model::InputGrid grid;
    multigroup::WriteMultigroupTemplate(grid);
    grid.activeSheet().clearContents(model::RangeRef{{1, 1}, {multigroup::kLastGridRow, multigroup::kMostGroups}});
    for (int g = 0; g < multigroup::kMostGroups; ++g) {
        grid.activeSheet().setValue(model::CellRef{1, g + 1}, "组" + std::to_string(g + 1));
        for (int i = 0; i < multigroup::kMostValues; ++i) {
            const double u = (i * 7919 % multigroup::kMostValues + 0.5) / multigroup::kMostValues;
            const double z = std::sqrt(2.0) * std::erfc(2 * u) * (u < 0.5 ? 1 : -1);
            grid.activeSheet().setValue(model::CellRef{i + 2, g + 1}, std::round((50 + g * 0.4 + (1 + 0.05 * g) * z) * 100) / 100);
        }
    }
    return grid;
}

void BM_ComputeTenGroupsOf300(benchmark::State& state) {
    const model::InputGrid grid = LargestGrid();
    const auto read = multigroup::ReadMultigroupInput(grid.activeSheet(), {});
    const auto& input = std::get<multigroup::MultigroupInput>(read);
    for (auto _ : state) benchmark::DoNotOptimize(multigroup::ComputeMultigroup(input, {}));
}
BENCHMARK(BM_ComputeTenGroupsOf300)->Unit(benchmark::kMillisecond);

void BM_RunMultigroupTenGroupsOf300(benchmark::State& state) {
    model::InputGrid grid = LargestGrid();
    multigroup::MultigroupOptions options;
    options.extended = true;
    for (auto _ : state) {
        report::RecordingPrompter prompter;
        benchmark::DoNotOptimize(multigroup::RunMultigroup(grid, options, prompter, report::ReportContext{}));
    }
}
BENCHMARK(BM_RunMultigroupTenGroupsOf300)->Unit(benchmark::kMillisecond);

}  // namespace
