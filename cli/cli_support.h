#pragma once
// What every subcommand of tavelmark-cli shares: the input CSV, -o, --print,
// and how a calculation's outcome becomes files, text and an exit code.
#include <functional>
#include <iosfwd>
#include <string>

#include <CLI/CLI.hpp>

#include "documents/analysis_document.h"
#include "files/input_loader.h"
#include "model/input_grid.h"
#include "report/prompter.h"
#include "report/report_frame.h"
#include "report/report_outcome.h"

namespace tavelmark::cli {

enum ExitCode { kReportWritten = 0, kInputRefused = 1, kUsageError = 2, kCalculationFailed = 3 };

struct CommonOptions {
    std::string input;
    std::string output;
    bool print = false;
    std::string saveAnalysis;  // --save-analysis: the grid and options as a saved analysis
};

struct Streams {
    std::ostream& out;
    std::ostream& err;
};

// INPUT, -o, --print and --save-analysis, with the check of the output
// choice run as soon as the command line is parsed.
void AddCommonOptions(CLI::App& command, CommonOptions& options);

// --extended: the second sheet, "扩展结果", after the report's own.
CLI::Option* AddExtendedOption(CLI::App& command, bool& extended);

// -o and --print only (the run subcommand names its own input).
void AddOutputOptions(CLI::App& command, CommonOptions& options);

// `-o -` writes the workbook's bytes to standard output.
bool WritesToStandardOutput(const CommonOptions& options);

// Throws CLI::ValidationError (a usage error) when there is nothing to
// write to, or when `-o -` comes with --print or standard output is a terminal.
void CheckOutputChoice(const CommonOptions& options);

// The folder that holds brg.jpg: TAVELMARK_RESOURCES when set, else
// resources/ beside or above the executable.
report::ReportContext FindReportContext();

// A subcommand's run: loads INPUT into the grid (exit 2 when it cannot be
// read, 1 when it is not text in a known encoding), runs the calculation
// under the desktop program's guard and finishes the report. A calculation
// that throws is reported on err as the desktop program's "运行错误！" box
// would show it and gives exit 3, with nothing written.
// With --save-analysis, `toSave` gives the analysis and its options; the
// loaded grid's values are saved with them before the calculation runs, so
// the file keeps the user's input even when the calculation refuses it (a
// file that cannot be written is exit 2, and nothing is calculated).
using Calculate = std::function<report::ReportOutcome(report::Prompter&)>;
int RunCalculation(model::InputGrid& grid, const CommonOptions& options, Streams io, const Calculate& calculate,
                   documents::AnalysisDocument toSave);

// The same for a grid that is already filled (a saved analysis replayed).
int RunLoadedCalculation(const CommonOptions& options, Streams io, const Calculate& calculate);

// Writes the report (-o, saved whole or not at all; `-o -` to standard
// output), prints it (--print) and gives the exit code: a report that cannot
// be written or printed is exit 2, with the message naming the cause.
int FinishReport(const report::ReportOutcome& outcome, const CommonOptions& options, Streams io);

// What an analysis prints after its report (the Bliss --ldk lines): exit 0,
// or 2 with the cause when standard output cannot take it.
int PrintAfterReport(const std::string& text, Streams io);

// The first sheet as tab-separated rows (copyout::SheetAsTsv); every further
// sheet after an empty line and a line with its name in brackets ("[扩展结果]").
void PrintWorkbook(const model::Workbook& workbook, std::ostream& out);

}  // namespace tavelmark::cli
