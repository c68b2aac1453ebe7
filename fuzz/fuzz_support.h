#pragma once
// What the fuzz targets share: the fuzzer's bytes loaded as a user's CSV
// into an input grid, and the finished report written as .xlsx.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>

#include "model/input_grid.h"
#include "model/workbook.h"
#include "report/report_frame.h"

namespace tavelmark::fuzz {

// The fuzzer's bytes as the CSV file a user loads and the choices they make
// in the analysis's dialogs. The choices follow the last NUL byte; without
// one, all the bytes are the CSV and the target makes its fullest choices,
// so the worked examples are seeds as they are.
struct FuzzInput {
    std::string_view csv;
    std::optional<std::span<const std::uint8_t>> choices;
};

FuzzInput SplitInput(const std::uint8_t* data, std::size_t size);

// The grid's reachable area filled from the bytes exactly as tavelmark-cli
// fills it from its INPUT file. False when the bytes are refused as input
// (not UTF-8, GBK or UTF-16 with a byte order mark): the calculation is then not run.
bool LoadGridFromBytes(std::string_view bytes, model::InputGrid& grid);

// Where the report finds brg.jpg, looked up once.
const report::ReportContext& FuzzReportContext();

// A file of this name in a scratch folder of this process, removed at its end.
std::filesystem::path ScratchFile(const char* name);

// Stops the run when the report shows a number that is NaN or infinite, or
// cannot be saved; otherwise writes it to a scratch file of this process, as
// -o would.
void SaveReport(const model::Workbook& workbook);

}  // namespace tavelmark::fuzz
