#include "cli/command_line.h"

#include <iostream>
#include <string>

#include "analyses/analysis_list.h"
#include "cli/commands.h"
#include "report/guarded_run.h"

namespace tavelmark::cli {

int RunCommandLine(int argc, char** argv) {
    CLI::App app{"Tavelmark 统计工作台 — 命令行", "tavelmark-cli"};
    app.set_version_flag("--version", std::string("tavelmark-cli ") + TAVELMARK_VERSION);
    app.require_subcommand(1);
    int exitCode = kReportWritten;
    Streams io{std::cout, std::cerr};
    for (const report::AnalysisRegistration* analysis : analyses::Analyses())
        AddAnalysisCommand(app, *analysis, exitCode, io);
    AddRunCommand(app, analyses::Analyses(), exitCode, io);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? 0 : kUsageError;
    } catch (...) {
        // The calculations have their own guard; this one is for the rest of a run.
        report::StreamPrompter prompter(std::cerr);
        report::ReportRunError(prompter, std::current_exception());
        return kCalculationFailed;
    }
    return exitCode;
}

}  // namespace tavelmark::cli
