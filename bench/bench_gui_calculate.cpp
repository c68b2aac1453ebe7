// Pressing 计算 in the LDk comparison window with its example data until the
// new result window has painted (target: within 150 ms): the calculation,
// the report model, the result window and its first paint.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include "analyses/ldk_compare/ui/ldk_compare_window.h"
#include "app/main_window.h"
#include "app/resource_dir.h"
#include "bench_gui_support.h"
#include "ui/result_window.h"

namespace {

using tavelmark::app::MainWindow;
using tavelmark::ui::LDkCompareWindow;
using tavelmark::ui::ResultWindow;

ResultWindow* ResultWindowOf(QWidget* widget) {
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget())
        if (auto* result = qobject_cast<ResultWindow*>(w)) return result;
    return nullptr;
}

void CloseResultWindows(MainWindow& main) {
    for (QMdiSubWindow* sub : main.mdiArea()->subWindowList())
        if (qobject_cast<ResultWindow*>(sub->widget()) != nullptr) sub->close();
    tavelmark::bench::FlushDeletes();
}

void BM_LDkCalculateToResultWindow(benchmark::State& state) {
    MainWindow main(tavelmark::app::FindResourceDir());
    main.show();
    if (!main.runCommand(QStringLiteral("mnuLDk"))) {
        state.SkipWithError("no mnuLDk command in this build");
        return;
    }
    auto* input = main.mdiArea()->findChild<LDkCompareWindow*>();
    if (input == nullptr) {
        state.SkipWithError("the LDk window did not open");
        return;
    }
    QApplication::processEvents();
    // Any widget of a result window counts: the report view paints the sheet.
    tavelmark::bench::PaintWatcher watcher(
        [](QWidget* widget) { return ResultWindowOf(widget) != nullptr; });
    for (auto _ : state) {
        input->calculateButton()->click();
        if (!watcher.waitForPaint()) {
            state.SkipWithError("no result window was painted");
            break;
        }
        state.PauseTiming();
        CloseResultWindows(main);
        watcher.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LDkCalculateToResultWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) { return tavelmark::bench::RunGuiBenchmarks(argc, argv); }
