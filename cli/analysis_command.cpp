// tavelmark-cli <analysis>: an analysis's calculation from a CSV grid, its
// options read as its registration describes them.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace tavelmark::cli {

using report::AnalysisRegistration, report::CheckedOptions, report::CommandLineOption, report::CommandLineValues,
    report::OptionArity;

namespace {

struct AnalysisCommandOptions {
    CommonOptions common;
    // What CLI11 fills, by option name: flags, and the texts of the others.
    std::map<std::string, bool> flags;
    std::map<std::string, std::string> values;
    std::map<std::string, std::vector<std::string>> repeated;
    std::map<std::string, CLI::Option*> added;

    CommandLineValues given() const {
        CommandLineValues given;
        for (const auto& [name, option] : added) {
            if (option->count() == 0) continue;
            if (const auto text = values.find(name); text != values.end())
                given[name] = {text->second};
            else if (const auto texts = repeated.find(name); texts != repeated.end())
                given[name] = texts->second;
            else
                given[name];
        }
        return given;
    }
};

void AddOption(CLI::App& command, const CommandLineOption& option, AnalysisCommandOptions& into) {
    const std::string name(option.name);
    const std::string help(option.help);
    CLI::Option* added = nullptr;
    switch (option.arity) {
        case OptionArity::Flag: added = command.add_flag(name, into.flags[name], help); break;
        case OptionArity::Value: added = command.add_option(name, into.values[name], help); break;
        case OptionArity::RepeatedValue:
            // One value per use, so that INPUT after it is not taken for one.
            added = command.add_option(name, into.repeated[name], help)->allow_extra_args(false);
            break;
    }
    if (!option.valueName.empty()) added->type_name(std::string(option.valueName));
    into.added[name] = added;
}

}  // namespace

void AddAnalysisCommand(CLI::App& app, const AnalysisRegistration& analysis, int& exitCode, Streams io) {
    auto* command = app.add_subcommand(std::string(analysis.name), std::string(analysis.commandHelp));
    auto options = std::make_shared<AnalysisCommandOptions>();
    for (const CommandLineOption& option : analysis.commandLine) AddOption(*command, option, *options);
    for (const CommandLineOption& option : analysis.commandLine)
        if (!option.excludes.empty())
            options->added.at(std::string(option.name))->excludes(options->added.at(std::string(option.excludes)));
    options->added["--extended"] = AddExtendedOption(*command, options->flags["--extended"]);
    AddCommonOptions(*command, options->common);

    command->callback([options, &analysis, &exitCode, io] {
        const CommandLineValues given = options->given();
        for (const CommandLineOption& option : analysis.commandLine)
            if (option.printsAfterReport && report::Given(given, option.name) &&
                WritesToStandardOutput(options->common)) {
                io.err << option.name << ": 不能与 -o - 同时使用 (两者都写到标准输出)\n";
                exitCode = kUsageError;
                return;
            }
        const CheckedOptions checked = analysis.optionsFromCommandLine(given);
        if (!checked.refusal.empty()) {
            io.err << checked.refusal << '\n';
            exitCode = kUsageError;
            return;
        }
        model::InputGrid grid;
        analysis.writeTemplate(grid, checked.options);
        std::string printedAfter, advisedAfter;
        exitCode = RunCalculation(
            grid, options->common, io,
            [&](report::Prompter& prompter) {
                report::AnalysisRun run = analysis.run(grid, checked.options, given, prompter, FindReportContext());
                printedAfter = std::move(run.printedAfter);
                advisedAfter = std::move(run.advisedAfter);
                return std::move(run.report);
            },
            documents::AnalysisDocument{std::string(analysis.name), {}, checked.options, {}, {}});
        if (exitCode != kReportWritten) return;
        io.err << advisedAfter;
        if (!printedAfter.empty()) exitCode = PrintAfterReport(printedAfter, io);
    });
}

}  // namespace tavelmark::cli
