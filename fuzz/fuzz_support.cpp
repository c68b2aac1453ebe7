#include "fuzz_support.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <variant>

#include "files/input_loader.h"
#include "xlsx/xlsx_export.h"

namespace tavelmark::fuzz {

using model::CellName, model::InputGrid, model::Sheet, model::Workbook;
namespace fs = std::filesystem;

namespace {

// libxlsxwriter 1.1.4 only writes to a file, so each process keeps a folder
// of its own in TMPDIR for its reports.
class ScratchFolder {
public:
    ScratchFolder()
        : path_(fs::temp_directory_path() / ("tavelmark-fuzz-" + std::to_string(getpid()))) {
        fs::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    fs::path file(const char* name) const { return path_ / name; }

private:
    fs::path path_;
};

const ScratchFolder& Scratch() {
    static const ScratchFolder folder;
    return folder;
}

}  // namespace

FuzzInput SplitInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto nul = bytes.rfind('\0');
    if (nul == std::string_view::npos) return {bytes, std::nullopt};
    return {bytes.substr(0, nul), std::span(data + nul + 1, size - nul - 1)};
}

bool LoadGridFromBytes(std::string_view bytes, InputGrid& grid) {
    std::istringstream stream{std::string(bytes)};
    std::ostringstream warnings;
    return files::LoadInputGrid(stream, grid, warnings) == files::LoadStatus::Loaded;
}

fs::path ScratchFile(const char* name) { return Scratch().file(name); }

const report::ReportContext& FuzzReportContext() {
    // The shipped files of the source tree, unless the environment names others.
    static const report::ReportContext context{
        std::getenv("TAVELMARK_RESOURCES") ? std::getenv("TAVELMARK_RESOURCES") : TAVELMARK_SOURCE_RESOURCES};
    return context;
}

void SaveReport(const Workbook& workbook) {
    // No report may show NaN or an infinity as a number.
    for (const Sheet& sheet : workbook.sheets)
        for (const auto& [cell, value] : sheet.cells().values())
            if (const auto* number = std::get_if<double>(&value); number && !std::isfinite(*number)) {
                std::fprintf(stderr, "report shows %g in %s!%s\n", *number, sheet.name().c_str(),
                             CellName(cell).c_str());
                std::abort();
            }
    std::string error;
    if (!xlsx::SaveXlsx(workbook, ScratchFile("report.xlsx").string(), &error)) {
        // A report the user cannot save loses their work as surely as a crash.
        std::fprintf(stderr, "report not saved: %s\n", error.c_str());
        std::abort();
    }
}

}  // namespace tavelmark::fuzz
