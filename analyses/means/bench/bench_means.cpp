// Two-group means: the whole calculate command on a full grid (300 + 300
// values, target under 5 ms) and the core functions on the largest groups
// the help box allows (65,530 values each, target under 50 ms).
#include <cmath>
#include <random>
#include <vector>

#include <benchmark/benchmark.h>

#include "analyses/means/means_analysis.h"
#include "analyses/means/means_template.h"
#include "analyses/means/rank_shift.h"
#include "analyses/means/rank_sum.h"
#include "analyses/means/run_means.h"

namespace {

using namespace tavelmark;

// Normal values rounded to one decimal, so that the ranking meets many ties.
std::vector<double> Group(std::size_t n, double mean, double sd, unsigned seed) {
    std::mt19937 engine(seed);
    std::normal_distribution<double> normal(mean, sd);
    std::vector<double> values(n);
    for (double& v : values) v = std::round(normal(engine) * 10) / 10;
    return values;
}

void BM_WholeAnalysisFullGrid(benchmark::State& state) {
    model::InputGrid grid;
    means::WriteMeansTemplate(grid);
    const auto t = Group(300, 50, 8, 1);
    const auto r = Group(300, 47, 12, 2);
    for (int i = 0; i < 300; ++i) {
        grid.setValue(model::CellRef{i + 2, means::kMeansColumnT}, t[i]);
        grid.setValue(model::CellRef{i + 2, means::kMeansColumnR}, r[i]);
    }
    for (auto _ : state) {
        report::RecordingPrompter prompter;  // every outlier question answered No
        report::ReportOutcome outcome =
            means::RunMeans(grid, means::MeansOptions::All(), prompter, report::ReportContext{});
        benchmark::DoNotOptimize(outcome);
    }
}
BENCHMARK(BM_WholeAnalysisFullGrid)->Unit(benchmark::kMillisecond);

void BM_CoreFunctionsLargestGroups(benchmark::State& state) {
    const auto t = Group(65530, 50, 8, 3);
    const auto r = Group(65530, 47, 12, 4);
    for (auto _ : state) {
        means::MeansResults results = means::AnalyseMeans(t, r);
        benchmark::DoNotOptimize(results);
    }
}
BENCHMARK(BM_CoreFunctionsLargestGroups)->Unit(benchmark::kMillisecond);

void BM_DescribeGroupLargest(benchmark::State& state) {
    const auto t = Group(65530, 50, 8, 7);
    for (auto _ : state) {
        means::GroupDescription d = means::DescribeGroup(t);
        benchmark::DoNotOptimize(d);
    }
}
BENCHMARK(BM_DescribeGroupLargest)->Unit(benchmark::kMillisecond);

void BM_RankSum(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    const auto t = Group(n, 50, 8, 5);
    const auto r = Group(n, 47, 12, 6);
    for (auto _ : state) {
        means::RankSumTest w = means::WilcoxonRankSum(t, r);
        benchmark::DoNotOptimize(w);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RankSum)->RangeMultiplier(4)->Range(1024, 65536)->Complexity(benchmark::oNLogN)
    ->Unit(benchmark::kMillisecond);

// The extended sheet's rank test at its largest exact case: 50 values each,
// tied, so the exact distribution given the ties is counted (target under
// 30 ms; about 13 ms of CPU on the 2-core development machine).
void BM_ExactTiedRankShift50x50(benchmark::State& state) {
    const auto t = Group(50, 50, 8, 8);
    const auto r = Group(50, 47, 12, 9);
    for (auto _ : state) {
        means::RankShift shift = means::ComputeRankShift(t, r);
        benchmark::DoNotOptimize(shift);
    }
}
BENCHMARK(BM_ExactTiedRankShift50x50)->Unit(benchmark::kMillisecond);

}  // namespace
