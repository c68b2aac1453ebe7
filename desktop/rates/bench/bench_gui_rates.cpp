// 计算 in the two-group rates window with its example table.
#include <QPushButton>

#include "app/resource_dir.h"
#include "bench_gui_support.h"
#include "desktop/rates/rates_input_window.h"

namespace tavelmark::rates::desktop {
namespace {

void BM_RatesCalculate(benchmark::State& state) {
    app::MainWindow main(app::FindResourceDir());
    main.show();
    if (auto* input = bench::OpenDataEntryWindow<RatesInputWindow>(state, main, "mnuRateAna"))
        bench::TimeCalculateToResultWindow(state, main, *input->calculateButton());
}

[[maybe_unused]] const bool kRegistered = bench::RegisterCalculateBenchmarks("Rates", BM_RatesCalculate);

}  // namespace
}  // namespace tavelmark::rates::desktop
