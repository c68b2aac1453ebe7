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

// Ten groups of 300 values, normal (Box–Muller on a linear congruential
// generator) with group shifts and equal spreads: the analysis-of-variance
// path, whose Dunnett and Tukey integrals are the costly part.
model::InputGrid LargestGrid() {
    unsigned state = 12345;
    const auto uniform = [&state] {
        state = state * 1103515245u + 12345u;
        return (((state >> 8) & 0xffffff) + 0.5) / 16777216.0;
    };
    model::InputGrid grid;
    multigroup::WriteMultigroupTemplate(grid);
    grid.activeSheet().clearContents(model::RangeRef{{1, 1}, {multigroup::kLastGridRow, multigroup::kMostGroups}});
    for (int g = 0; g < multigroup::kMostGroups; ++g) {
        grid.activeSheet().setValue(model::CellRef{1, g + 1}, "组" + std::to_string(g + 1));
        for (int i = 0; i < multigroup::kMostValues; ++i) {
            const double z = std::sqrt(-2 * std::log(uniform())) * std::cos(6.283185307179586 * uniform());
            const double value = 50 + g * 0.2 + 2 * z;
            grid.activeSheet().setValue(model::CellRef{i + 2, g + 1}, std::round(value * 100) / 100);
        }
    }
    return grid;
}

void BM_ComputeTenGroupsOf300(benchmark::State& state) {
    const model::InputGrid grid = LargestGrid();
    const auto read = multigroup::ReadMultigroupInput(grid.activeSheet(), {});
    const auto& input = std::get<multigroup::MultigroupInput>(read);
    multigroup::MultigroupOptions options;
    options.extended = state.range(0) != 0;
    for (auto _ : state) {
        const multigroup::MultigroupResults results = multigroup::ComputeMultigroup(input, options);
        if (results.path != multigroup::MultigroupPath::Anova) state.SkipWithError("not the path meant");
        benchmark::DoNotOptimize(results);
    }
}
BENCHMARK(BM_ComputeTenGroupsOf300)->ArgName("extended")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_RunMultigroupTenGroupsOf300(benchmark::State& state) {
    model::InputGrid grid = LargestGrid();
    multigroup::MultigroupOptions options;
    for (auto _ : state) {
        report::RecordingPrompter prompter;
        benchmark::DoNotOptimize(multigroup::RunMultigroup(grid, options, prompter, report::ReportContext{}));
    }
}
BENCHMARK(BM_RunMultigroupTenGroupsOf300)->Unit(benchmark::kMillisecond);

}  // namespace
