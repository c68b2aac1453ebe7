// Pressing 计算 in each analysis's data-entry window with its example data
// until the new result window has painted (target: within 60 ms): the
// calculation, the report model, the result window with its chart and its
// first paint. Every analysis of the list is timed, with every optional part
// of its report chosen: the options its command line's flags stand for, as
// the window's options (the LDk calculator, which has no flag, stays closed).
// A question the calculation asks (an outlier) is answered No.
//
// BM_<analysis>LargestGrid does the same on the most the analysis's grid
// holds, read from tests/analyses/<analysis>/data/largest.csv where the
// analysis has one (ten groups of 300 values, ten preparations of twelve
// doses), in place of the example.
//
// BM_<analysis>CalculateToResultWindow repeats the press; BM_<analysis>FirstPress
// times one press only, the user's first after start-up, which also loads the
// report's fonts and the chart code. It means that only when it runs alone in
// a fresh process:
//     xvfb-run -a bench_gui_calculate --benchmark_filter=BM_blissFirstPress/
#include <filesystem>
#include <sstream>
#include <string>

#include <QPushButton>

#include "analyses/analysis_list.h"
#include "app/resource_dir.h"
#include "bench_gui_support.h"
#include "desktop/desktop_list.h"
#include "files/input_loader.h"
#include "ui/data_entry_window.h"

namespace {

using tavelmark::app::MainWindow;
using tavelmark::report::AnalysisRegistration, tavelmark::report::CommandLineValues,
    tavelmark::report::OptionArity;
using tavelmark::ui::DesktopAnalysis;

// Every flag of the analysis's command line given.
CommandLineValues EveryFlag(const AnalysisRegistration& analysis) {
    CommandLineValues given;
    for (const auto& option : analysis.commandLine)
        if (option.arity == OptionArity::Flag) given[std::string(option.name)];
    return given;
}

// The analysis's largest grid, or empty when it has none.
std::string LargestGridOf(const AnalysisRegistration& analysis) {
    const std::filesystem::path path = std::filesystem::path(TAVELMARK_SOURCE_ROOT) / "tests" / "analyses" /
                                       std::string(analysis.name) / "data" / "largest.csv";
    return std::filesystem::is_regular_file(path) ? path.string() : std::string();
}

// `grid`: a CSV file replacing the example, or empty for the example.
void TimeAnalysis(benchmark::State& state, const DesktopAnalysis& analysis, const std::string& grid) {
    MainWindow main(tavelmark::app::FindResourceDir());
    main.show();
    tavelmark::ui::DataEntryWindow* window = analysis.showWindow(main);
    const auto chosen = analysis.analysis.optionsFromCommandLine(EveryFlag(analysis.analysis));
    if (window == nullptr || !chosen.refusal.empty()) {
        state.SkipWithError("the data-entry window did not open with every option");
        return;
    }
    window->applyOptions(chosen.options);
    if (!grid.empty()) {
        std::ostringstream warnings;
        if (tavelmark::files::LoadInputGrid(grid, window->grid(), warnings) != tavelmark::files::LoadStatus::Loaded) {
            state.SkipWithError(("cannot read " + grid).c_str());
            return;
        }
        window->gridWritten();
    }
    tavelmark::bench::QuestionAnswerer answerer;
    tavelmark::bench::TimeCalculateToResultWindow(state, main, *window->calculateButton());
}

}  // namespace

int main(int argc, char** argv) {
    return tavelmark::bench::RunGuiBenchmarks(argc, argv, [] {
        for (const DesktopAnalysis* analysis : tavelmark::desktop::DesktopAnalyses()) {
            const std::string name(analysis->analysis.name);
            auto run = [analysis](benchmark::State& state) { TimeAnalysis(state, *analysis, {}); };
            benchmark::RegisterBenchmark(("BM_" + name + "CalculateToResultWindow").c_str(), run)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
            benchmark::RegisterBenchmark(("BM_" + name + "FirstPress").c_str(), run)
                ->Iterations(1)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
            if (const std::string grid = LargestGridOf(analysis->analysis); !grid.empty())
                benchmark::RegisterBenchmark(("BM_" + name + "LargestGrid").c_str(),
                                             [analysis, grid](benchmark::State& state) {
                                                 TimeAnalysis(state, *analysis, grid);
                                             })
                    ->Unit(benchmark::kMillisecond)
                    ->UseRealTime();
        }
    });
}
