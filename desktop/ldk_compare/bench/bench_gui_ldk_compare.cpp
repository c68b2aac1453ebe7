// 计算 in the LDk comparison's window with its example batches.
#include <QPushButton>

#include "app/resource_dir.h"
#include "bench_gui_support.h"
#include "desktop/ldk_compare/ldk_compare_window.h"

namespace tavelmark::ldk_compare::desktop {
namespace {

void BM_LDkCalculate(benchmark::State& state) {
    app::MainWindow main(app::FindResourceDir());
    main.show();
    if (auto* input = bench::OpenDataEntryWindow<LDkCompareWindow>(state, main, "mnuLDk"))
        bench::TimeCalculateToResultWindow(state, main, *input->calculateButton());
}

[[maybe_unused]] const bool kRegistered = bench::RegisterCalculateBenchmarks("LDk", BM_LDkCalculate);

}  // namespace
}  // namespace tavelmark::ldk_compare::desktop
