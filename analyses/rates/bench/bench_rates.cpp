// The two-group rates analysis at its largest exact size, N = 200: the
// computation alone (statistics, Fisher's walk over 101 tables, P values,
// equivalence and sample sizes), the whole calculate command in process, and
// the `tavelmark-cli rates --all` process writing its .xlsx.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "analyses/rates/equivalence.h"
#include "analyses/rates/rates_analysis.h"
#include "analyses/rates/rates_window.h"
#include "analyses/rates/run_rates.h"
#include "numeric/worksheet_functions.h"

namespace {

using namespace tavelmark;

// 100 subjects a group: the widest range of tables with these margins.
const rates::RateTable kTable = rates::MakeRateTable(40, 60, 55, 45);

void BM_RatesComputationN200(benchmark::State& state) {
    for (auto _ : state) {
        rates::RatesResults results = rates::ComputeRates(kTable);
        benchmark::DoNotOptimize(results);
        auto pearsonP = numeric::wsf::Chidist(*results.chiSquares.pearson, 1);
        auto tP = rates::TTestP(results.pooled, kTable);
        auto equivalence = rates::ComputeEquivalence(kTable);
        auto sizes = rates::ComputeSampleSizes(kTable);
        benchmark::DoNotOptimize(pearsonP);
        benchmark::DoNotOptimize(tP);
        benchmark::DoNotOptimize(equivalence);
        benchmark::DoNotOptimize(sizes);
    }
}
BENCHMARK(BM_RatesComputationN200)->Unit(benchmark::kMicrosecond);

void BM_FisherN200(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(rates::ComputeFisherProbabilities(kTable));
}
BENCHMARK(BM_FisherN200)->Unit(benchmark::kMicrosecond);

// Checks, computation and the report with every item, as the calculate
// button runs it (no file written).
class SilentPrompter : public report::Prompter {
public:
    void message(std::string_view, std::string_view, report::MessageIcon) override {}
    bool ask(std::string_view, std::string_view, report::MessageIcon) override { return false; }
    void setStatusBusy() override {}
    void setStatusReady() override {}
    void showGridSelection(const model::RangeRef&) override {}
};

void BM_RunRatesAllItemsN200(benchmark::State& state) {
    model::InputGrid grid;
    rates::WriteRatesTemplate(grid);
    grid.setValue("B2", kTable.a);
    grid.setValue("C2", kTable.b);
    grid.setValue("B3", kTable.c);
    grid.setValue("C3", kTable.d);
    SilentPrompter prompter;
    const rates::RatesOptions options = rates::RatesOptions::All();
    for (auto _ : state) benchmark::DoNotOptimize(rates::RunRates(grid, options, prompter, {}));
}
BENCHMARK(BM_RunRatesAllItemsN200)->Unit(benchmark::kMicrosecond);

// The command-line program beside this one in the build tree (bench/ and cli/).
std::filesystem::path CliProgram() {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    return self.parent_path().parent_path() / "cli" / "tavelmark-cli";
}

void BM_CliRatesAllProcessN200(benchmark::State& state) {
    const auto program = CliProgram();
    if (program.empty() || !std::filesystem::exists(program)) {
        state.SkipWithError("tavelmark-cli not built");
        return;
    }
    const auto dir = std::filesystem::temp_directory_path() / "tavelmark_bench_rates";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "n200.csv") << ",阳性数,阴性数\nR组,40,60\nT组,55,45\n";
    const std::string command = "\"" + program.string() + "\" rates --all \"" +
                                (dir / "n200.csv").string() + "\" -o \"" +
                                (dir / "n200.xlsx").string() + "\" 2>/dev/null";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("tavelmark-cli failed");
            break;
        }
}
BENCHMARK(BM_CliRatesAllProcessN200)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
