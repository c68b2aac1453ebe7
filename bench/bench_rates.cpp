// The two-group rates analysis at its largest exact size, N = 200: the
// computation alone (statistics, Fisher's walk over 101 tables, P values,
// equivalence and sample sizes) and the whole calculate command in process.
#include <benchmark/benchmark.h>

#include "analyses/rates/equivalence.h"
#include "analyses/rates/rates_analysis.h"
#include "analyses/rates/rates_window.h"
#include "analyses/rates/run_rates.h"
#include "hosts/worksheet_functions.h"

namespace {

using namespace tavelmark;

// 100 subjects a group: the widest range of tables with these margins.
const RateTable kTable = MakeRateTable(40, 60, 55, 45);

void BM_RatesComputationN200(benchmark::State& state) {
    for (auto _ : state) {
        RatesResults results = ComputeRates(kTable);
        benchmark::DoNotOptimize(results);
        auto pearsonP = wsf::Chidist(*results.chiSquares.pearson, 1);
        auto tP = TTestP(results.pooled, kTable);
        auto equivalence = ComputeEquivalence(kTable);
        auto sizes = ComputeSampleSizes(kTable);
        benchmark::DoNotOptimize(pearsonP);
        benchmark::DoNotOptimize(tP);
        benchmark::DoNotOptimize(equivalence);
        benchmark::DoNotOptimize(sizes);
    }
}
BENCHMARK(BM_RatesComputationN200)->Unit(benchmark::kMicrosecond);

void BM_FisherN200(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(ComputeFisherProbabilities(kTable));
}
BENCHMARK(BM_FisherN200)->Unit(benchmark::kMicrosecond);

// Checks, computation and the report with every item, as the calculate
// button runs it (no file written).
class SilentPrompter : public Prompter {
public:
    void message(std::string_view, std::string_view, MessageIcon) override {}
    bool ask(std::string_view, std::string_view, MessageIcon) override { return false; }
    void setStatusBusy() override {}
    void setStatusReady() override {}
    void showGridSelection(const RangeRef&) override {}
};

void BM_RunRatesAllItemsN200(benchmark::State& state) {
    InputGrid grid;
    WriteRatesTemplate(grid);
    grid.setValue("B2", kTable.a);
    grid.setValue("C2", kTable.b);
    grid.setValue("B3", kTable.c);
    grid.setValue("C3", kTable.d);
    SilentPrompter prompter;
    const RatesOptions options = RatesOptions::All();
    for (auto _ : state) benchmark::DoNotOptimize(RunRates(grid, options, prompter, {}));
}
BENCHMARK(BM_RunRatesAllItemsN200)->Unit(benchmark::kMicrosecond);

}  // namespace
