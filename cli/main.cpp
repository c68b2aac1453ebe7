// tavelmark-cli: the batch front end. Loads an input grid from CSV, runs the
// same calculate command as the desktop program and writes the report.
#include <iostream>
#include <string>

#include "cli/commands.h"
#include "report/guarded_run.h"

int main(int argc, char** argv) {
    using namespace tavelmark::cli;
    CLI::App app{"Tavelmark 统计工作台 — 命令行", "tavelmark-cli"};
    app.set_version_flag("--version", std::string("tavelmark-cli ") + TAVELMARK_VERSION);
    app.require_subcommand(1);
    int exitCode = kReportWritten;
    Streams io{std::cout, std::cerr};
    AddBlissCommand(app, exitCode, io);
    AddMeansCommand(app, exitCode, io);
    AddRatesCommand(app, exitCode, io);
    AddLDkCompareCommand(app, exitCode, io);
    AddRunCommand(app, exitCode, io);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? 0 : kUsageError;
    } catch (...) {
        // The calculations have their own guard; this one is for the rest of a run.
        tavelmark::report::StreamPrompter prompter(std::cerr);
        tavelmark::report::ReportRunError(prompter, std::current_exception());
        return kCalculationFailed;
    }
    return exitCode;
}
