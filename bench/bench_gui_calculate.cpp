// Pressing 计算 in each analysis's data-entry window with its example data
// until the new result window has painted (target: within 60 ms): the
// calculation, the report model, the result window with its chart and its
// first paint. Each analysis of the list adds its own two benchmarks from
// desktop/<name>/bench/bench_gui_<name>.cpp.
//
// BM_<analysis>CalculateToResultWindow repeats the press; BM_<analysis>FirstPress
// times one press only, the user's first after start-up, which also loads the
// report's fonts and the chart code. It means that only when it runs alone in
// a fresh process:
//     xvfb-run -a bench_gui_calculate --benchmark_filter=BM_BlissFirstPress/
#include "bench_gui_support.h"

int main(int argc, char** argv) { return tavelmark::bench::RunGuiBenchmarks(argc, argv); }
