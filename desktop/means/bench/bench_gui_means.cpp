// 计算 in the two-group means window with every result item chosen: the
// longest means report, with the raw data. The example's outlier 59 is
// replaced by a plain value, so that no question stops the calculation.
#include <QCheckBox>
#include <QPushButton>

#include "app/resource_dir.h"
#include "bench_gui_support.h"
#include "desktop/means/means_input_window.h"
#include "desktop/means/print_show_dialog.h"

namespace tavelmark::means::desktop {
namespace {

void BM_MeansCalculate(benchmark::State& state) {
    app::MainWindow main(app::FindResourceDir());
    main.show();
    auto* input = bench::OpenDataEntryWindow<MeansInputWindow>(state, main, "mnuAverAna");
    if (input == nullptr) return;
    input->settingsButton()->click();
    auto* items = main.mdiArea()->findChild<PrintShowDialog*>();
    if (items == nullptr) {
        state.SkipWithError("the result-items dialog did not open");
        return;
    }
    for (int number = 3; number <= 9; ++number) items->check(number)->setChecked(true);
    items->command1()->click();
    input->grid().setValue("B9", 30.0);
    bench::TimeCalculateToResultWindow(state, main, *input->calculateButton());
}

[[maybe_unused]] const bool kRegistered = bench::RegisterCalculateBenchmarks("Means", BM_MeansCalculate);

}  // namespace
}  // namespace tavelmark::means::desktop
