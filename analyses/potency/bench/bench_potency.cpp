// The potency comparison for the largest grid (ten preparations of twelve
// doses): the computation alone, the extended computation, and the whole
// calculate command from grid to report model.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "analyses/potency/potency_compute.h"
#include "analyses/potency/potency_extended.h"
#include "analyses/potency/potency_input.h"
#include "analyses/potency/potency_template.h"
#include "analyses/potency/run_potency.h"

namespace {

using namespace tavelmark;

// Ten preparations a little apart in potency and slope, twelve doses each on
// a 1.4-fold scale, rates along each probit line, unequal group sizes.
model::InputGrid LargestGrid() {
    model::InputGrid grid;
    potency::WritePotencyTemplate(grid);
    int row = 2;
    for (int j = 0; j < 10; ++j) {
        for (int i = 0; i < 12; ++i) {
            const double dose = 0.5 * std::pow(1.4, i);
            const double n = 20 + (i * 7 + j * 3) % 15;
            const double eta = (2.0 + 0.2 * j) * (std::log10(dose) - 0.4 - 0.05 * j);
            const double rate = 0.5 * std::erfc(-eta / std::sqrt(2.0));
            grid.setValue(model::CellRef{row, 1}, i == 0 ? model::CellValue{"制剂" + std::to_string(j + 1)} : model::CellValue{});
            grid.setValue(model::CellRef{row, 2}, dose);
            grid.setValue(model::CellRef{row, 3}, n);
            grid.setValue(model::CellRef{row, 4}, std::round(rate * n));
            ++row;
        }
    }
    return grid;
}

void BM_PotencyCompute10x12(benchmark::State& state) {
    const model::InputGrid grid = LargestGrid();
    const auto data = potency::ReadPotencyData(grid, potency::PotencyOptions{});
    for (auto _ : state) {
        potency::PotencyResults results = potency::ComputePotency(*data.input, potency::PotencyOptions{});
        benchmark::DoNotOptimize(results);
    }
}
BENCHMARK(BM_PotencyCompute10x12)->Unit(benchmark::kMillisecond);

void BM_PotencyExtended10x12(benchmark::State& state) {
    const model::InputGrid grid = LargestGrid();
    const auto data = potency::ReadPotencyData(grid, potency::PotencyOptions{});
    const potency::PotencyResults results = potency::ComputePotency(*data.input, potency::PotencyOptions{});
    for (auto _ : state) {
        potency::PotencyExtended extended = potency::ComputePotencyExtended(results, potency::PotencyOptions{});
        benchmark::DoNotOptimize(extended);
    }
}
BENCHMARK(BM_PotencyExtended10x12)->Unit(benchmark::kMillisecond);

void BM_RunPotency10x12(benchmark::State& state) {
    model::InputGrid grid = LargestGrid();
    for (auto _ : state) {
        report::RecordingPrompter prompter;
        report::ReportOutcome outcome = potency::RunPotency(grid, potency::PotencyOptions{}, prompter, report::ReportContext{});
        benchmark::DoNotOptimize(outcome);
    }
}
BENCHMARK(BM_RunPotency10x12)->Unit(benchmark::kMillisecond);

}  // namespace
