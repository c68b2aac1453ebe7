// Start-up of the desktop program up to the first paint of its main window
// (target: within 400 ms of launch). Measured inside one process: building
// the main window with its menus and status panels, showing it with the
// splash as main() does, and the event loop until the window has painted.
// Starting the process itself is timed from outside, see app/main.cpp
// (TAVELMARK_EXIT_AFTER_FIRST_PAINT).
#include <memory>

#include "app/main_window.h"
#include "app/resource_dir.h"
#include "app/start_up.h"
#include "bench_gui_support.h"

namespace {

using tavelmark::app::MainWindow;

void BM_MainWindowToFirstPaint(benchmark::State& state) {
    const QString resources = tavelmark::app::FindResourceDir();
    for (auto _ : state) {
        auto main = std::make_unique<MainWindow>(resources);
        tavelmark::bench::PaintWatcher watcher(
            [window = main.get()](QWidget* widget) { return widget == window; });
        tavelmark::app::StartUp(*main);
        if (!watcher.waitForPaint()) {
            state.SkipWithError("the main window never painted");
            break;
        }
        state.PauseTiming();
        main.reset();  // the splash goes with it
        tavelmark::bench::FlushDeletes();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MainWindowToFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) { return tavelmark::bench::RunGuiBenchmarks(argc, argv); }
