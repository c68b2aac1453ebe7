#pragma once
// What every subcommand of tavelmark-cli shares: the input CSV, -o, --print,
// and how a calculation's outcome becomes files, text and an exit code.
#include <functional>
#include <iosfwd>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/input_loader.h"
#include "common/prompter.h"
#include "common/report_frame.h"
#include "common/report_outcome.h"
#include "hosts/input_grid.h"

namespace tavelmark::cli {

enum ExitCode { kReportWritten = 0, kInputRefused = 1, kUsageError = 2, kCalculationFailed = 3 };

struct CommonOptions {
    std::string input;
    std::string output;
    bool print = false;
};

struct Streams {
    std::ostream& out;
    std::ostream& err;
};

void AddCommonOptions(CLI::App& command, CommonOptions& options);

// The folder that holds brg.jpg: TAVELMARK_RESOURCES when set, else
// resources/ beside or above the executable.
ReportContext FindReportContext();

// A subcommand's run: loads INPUT into the grid (exit 2 when it cannot be
// read, 1 when it is not text in a known encoding), runs the calculation
// under the desktop program's guard and finishes the report. A calculation
// that throws is reported on err as the desktop program's "运行错误！" box
// would show it and gives exit 3, with nothing written.
int RunCalculation(InputGrid& grid, const CommonOptions& options, Streams io,
                   const std::function<ReportOutcome(Prompter&)>& calculate);

// Writes the report (-o), prints it (--print) and gives the exit code.
int FinishReport(const ReportOutcome& outcome, const CommonOptions& options, Streams io);

// Cells of the first sheet as tab-separated rows, numbers in their cell format.
void PrintSheet(const Sheet& sheet, std::ostream& out);

}  // namespace tavelmark::cli
