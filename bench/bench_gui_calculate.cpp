// Pressing 计算 in each analysis's data-entry window with its example data
// until the new result window has painted (target: within 60 ms): the
// calculation, the report model, the result window with its chart and its
// first paint.
//
// Each analysis is timed twice. BM_<analysis>CalculateToResultWindow repeats
// the press; BM_<analysis>FirstPress times one press only, the user's first
// after start-up, which also loads the report's fonts and the chart code. It
// means that only when it runs alone in a fresh process:
//     xvfb-run -a bench_gui_calculate --benchmark_filter=BM_BlissFirstPress/
#include <QCheckBox>
#include <QPushButton>

#include "desktop/bliss/bliss_input_window.h"
#include "desktop/bliss/bliss_settings_dialog.h"
#include "desktop/ldk_compare/ldk_compare_window.h"
#include "desktop/means/means_input_window.h"
#include "desktop/means/print_show_dialog.h"
#include "desktop/rates/rates_input_window.h"
#include "app/main_window.h"
#include "app/resource_dir.h"
#include "bench_gui_support.h"

namespace {

using tavelmark::app::MainWindow;
using tavelmark::bench::TimeCalculateToResultWindow;

// Opens a data-entry window by its menu command; nullptr (and the benchmark
// skipped) when this build lacks it.
template <class Window>
Window* OpenWindow(benchmark::State& state, MainWindow& main, const char* command) {
    auto* window = main.runCommand(QString::fromUtf8(command)) ? main.mdiArea()->findChild<Window*>() : nullptr;
    if (window == nullptr) state.SkipWithError("the data-entry window did not open");
    return window;
}

// Every optional part of the report and its chart, but not the LDk
// calculator, which would open over the report.
void BM_BlissCalculateToResultWindow(benchmark::State& state) {
    MainWindow main(tavelmark::app::FindResourceDir());
    main.show();
    auto* input = OpenWindow<tavelmark::bliss::desktop::BlissInputWindow>(state, main, "mnuBliss");
    if (input == nullptr) return;
    input->settingsButton()->click();
    auto* settings = main.mdiArea()->findChild<tavelmark::bliss::desktop::BlissSettingsDialog*>();
    if (settings == nullptr) {
        state.SkipWithError("the Bliss settings did not open");
        return;
    }
    for (int number : {2, 3, 4, 6}) settings->check(number)->setChecked(true);
    settings->cmdSet()->click();
    TimeCalculateToResultWindow(state, main, *input->calculateButton());
}
BENCHMARK(BM_BlissCalculateToResultWindow)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BlissCalculateToResultWindow)
    ->Name("BM_BlissFirstPress")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Every result item chosen: the longest means report, with the raw data.
// The example's outlier 59 is replaced by a plain value, so that no question
// stops the calculation.
void BM_MeansCalculateToResultWindow(benchmark::State& state) {
    MainWindow main(tavelmark::app::FindResourceDir());
    main.show();
    auto* input = OpenWindow<tavelmark::means::desktop::MeansInputWindow>(state, main, "mnuAverAna");
    if (input == nullptr) return;
    input->settingsButton()->click();
    auto* items = main.mdiArea()->findChild<tavelmark::means::desktop::PrintShowDialog*>();
    if (items == nullptr) {
        state.SkipWithError("the result-items dialog did not open");
        return;
    }
    for (int number = 3; number <= 9; ++number) items->check(number)->setChecked(true);
    items->command1()->click();
    input->grid().setValue("B9", 30.0);
    TimeCalculateToResultWindow(state, main, *input->calculateButton());
}
BENCHMARK(BM_MeansCalculateToResultWindow)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MeansCalculateToResultWindow)
    ->Name("BM_MeansFirstPress")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_RatesCalculateToResultWindow(benchmark::State& state) {
    MainWindow main(tavelmark::app::FindResourceDir());
    main.show();
    if (auto* input = OpenWindow<tavelmark::rates::desktop::RatesInputWindow>(state, main, "mnuRateAna"))
        TimeCalculateToResultWindow(state, main, *input->calculateButton());
}
BENCHMARK(BM_RatesCalculateToResultWindow)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RatesCalculateToResultWindow)
    ->Name("BM_RatesFirstPress")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_LDkCalculateToResultWindow(benchmark::State& state) {
    MainWindow main(tavelmark::app::FindResourceDir());
    main.show();
    if (auto* input = OpenWindow<tavelmark::ldk_compare::desktop::LDkCompareWindow>(state, main, "mnuLDk"))
        TimeCalculateToResultWindow(state, main, *input->calculateButton());
}
BENCHMARK(BM_LDkCalculateToResultWindow)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LDkCalculateToResultWindow)
    ->Name("BM_LDkFirstPress")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) { return tavelmark::bench::RunGuiBenchmarks(argc, argv); }
