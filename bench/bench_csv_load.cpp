// Loading an input CSV far larger than the grid, as tavelmark-cli does. The
// loader keeps only the grid's cells, so its memory follows the grid and not
// the file: the peak resident set size (getrusage, the whole process's peak
// so far) is reported beside the file size.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "analyses/ldk_compare/ldk_compare.h"
#include "files/input_loader.h"

namespace {

namespace fs = std::filesystem;
using namespace tavelmark;

constexpr double kMiB = 1024.0 * 1024.0;

// The worked example's three batches, then rows of twelve numbers each far
// beyond the grid's reach; with the headings in GBK the loader reads the
// file twice, the second time as GBK, as for a file saved by a Chinese
// spreadsheet.
fs::path GenerateCsv(long sizeMiB, bool gbk) {
    const fs::path path = fs::temp_directory_path() /
                          ("tavelmark-bench-" + std::to_string(sizeMiB) + (gbk ? "-gbk" : "-utf8") + ".csv");
    std::ofstream out(path, std::ios::binary);
    out << (gbk ? "LDk,LD50,L95\n\xB5\xDA" "1" "\xC5\xFA,14,2.9\n" : "LDk,LD50,L95\n第1批,14,2.9\n")
        << "x,20,5\nx,18,3.2\n";
    std::string row;
    for (int k = 0; k < 12; ++k) row += (k ? "," : "") + std::to_string(10.0 + 1.37 * k);
    row += '\n';
    const auto size = static_cast<std::uintmax_t>(sizeMiB * kMiB);
    for (std::uintmax_t written = 0; written < size; written += row.size()) out << row;
    return path;
}

// One file per size and encoding, written once and removed at exit.
struct Files {
    std::map<std::pair<long, bool>, fs::path> paths;
    const fs::path& get(long sizeMiB, bool gbk) {
        auto& path = paths[{sizeMiB, gbk}];
        if (path.empty()) path = GenerateCsv(sizeMiB, gbk);
        return path;
    }
    ~Files() {
        for (const auto& [key, path] : paths) fs::remove(path);
    }
};

double PeakResidentMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) * 1024.0 / kMiB;  // ru_maxrss is in KiB on Linux
}

void BM_LoadLargeCsv(benchmark::State& state) {
    static Files files;
    const long sizeMiB = state.range(0);
    const bool gbk = state.range(1) != 0;
    const fs::path& path = files.get(sizeMiB, gbk);
    model::InputGrid grid;
    ldk_compare::LoadLDkCompareWorkbook(grid);
    ldk_compare::WriteLDkCompareTemplate(grid);
    for (auto _ : state) {
        std::ostringstream warnings;
        if (files::LoadInputGrid(path.string(), grid, warnings) != files::LoadStatus::Loaded)
            state.SkipWithError("not loaded");
        if (model::AsNumber(grid.value("B2")) != 14.0) state.SkipWithError("B2 is not 14");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fs::file_size(path)));
    state.counters["file_MiB"] = static_cast<double>(fs::file_size(path)) / kMiB;
    state.counters["peak_rss_MiB"] = PeakResidentMiB();
}
BENCHMARK(BM_LoadLargeCsv)
    ->ArgNames({"MiB", "gbk"})
    ->Args({16, 0})
    ->Args({128, 0})
    ->Args({128, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
