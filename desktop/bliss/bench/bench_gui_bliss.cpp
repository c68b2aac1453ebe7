// 计算 in the Bliss window with every optional part of the report and its
// chart, but not the LDk calculator, which would open over the report.
#include <QCheckBox>
#include <QPushButton>

#include "app/resource_dir.h"
#include "bench_gui_support.h"
#include "desktop/bliss/bliss_input_window.h"
#include "desktop/bliss/bliss_settings_dialog.h"

namespace tavelmark::bliss::desktop {
namespace {

void BM_BlissCalculate(benchmark::State& state) {
    app::MainWindow main(app::FindResourceDir());
    main.show();
    auto* input = bench::OpenDataEntryWindow<BlissInputWindow>(state, main, "mnuBliss");
    if (input == nullptr) return;
    input->settingsButton()->click();
    auto* settings = main.mdiArea()->findChild<BlissSettingsDialog*>();
    if (settings == nullptr) {
        state.SkipWithError("the Bliss settings did not open");
        return;
    }
    for (int number : {2, 3, 4, 6}) settings->check(number)->setChecked(true);
    settings->cmdSet()->click();
    bench::TimeCalculateToResultWindow(state, main, *input->calculateButton());
}

[[maybe_unused]] const bool kRegistered = bench::RegisterCalculateBenchmarks("Bliss", BM_BlissCalculate);

}  // namespace
}  // namespace tavelmark::bliss::desktop
