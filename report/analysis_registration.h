#pragma once
// How an analysis describes itself to the programs around it: its names, its
// options as the analysis file holds them (and the rules they are checked
// by), its command-line options, its grid template and its calculation. The
// command line, the analysis file and the `run` replay read these records
// from the one list of analyses (analyses/analysis_list.h); the desktop
// program adds its own part (ui/desktop_analysis.h). Each analysis defines its
// record in its own folder.
#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "model/input_grid.h"
#include "report/prompter.h"
#include "report/report_frame.h"
#include "report/report_outcome.h"

namespace tavelmark::report {

// One option of the analysis's subcommand of tavelmark-cli.
enum class OptionArity {
    Flag,           // --chart
    Value,          // --background PCT
    RepeatedValue,  // --ldk K, given as often as wanted, one value each
};

struct CommandLineOption {
    std::string_view name;  // "--background"
    std::string_view help;
    OptionArity arity = OptionArity::Flag;
    std::string_view valueName = {};    // shown by --help: "PCT"
    std::string_view excludes = {};     // another option's name that cannot come with it
    // It writes to standard output after the report, so it cannot come with
    // `-o -` (the workbook's bytes there).
    bool printsAfterReport = false;
};

// What the command line was given, by option name. A flag given is present
// with no values; options not given are absent.
using CommandLineValues = std::map<std::string, std::vector<std::string>, std::less<>>;

// Whether the option was given, and its values (none for a flag or an
// option not given).
bool Given(const CommandLineValues& values, std::string_view name);
const std::vector<std::string>& ValuesOf(const CommandLineValues& values, std::string_view name);

// An options object as the analysis file holds it, complete (every member the
// analysis knows, defaults filled in), or the reason it is refused.
struct CheckedOptions {
    nlohmann::json options;
    std::string refusal;  // empty: accepted
};

// A calculation's report, and what the command line writes after it: to
// standard output (the Bliss analysis's --ldk lines) and to standard error
// (why one of those lines is empty).
struct AnalysisRun {
    ReportOutcome report;
    std::string printedAfter;
    std::string advisedAfter;
};

struct AnalysisRegistration {
    // The analysis file's "analysis" member and the subcommand's name:
    // "bliss", "ldk-compare".
    std::string_view name;
    // How a message names it: "正规Bliss法".
    std::string_view caption;
    std::string_view commandHelp;
    // Its own options; every analysis also takes --extended (the 扩展结果
    // sheet), which the command line adds and passes on among the values.
    std::span<const CommandLineOption> commandLine;

    // The options the command line asks for, checked by the same rules as a
    // saved options object; a refusal is a usage error.
    std::function<CheckedOptions(const CommandLineValues&)> optionsFromCommandLine;
    // A saved options object checked: missing members take the options
    // dialog's defaults, a member of the wrong type or value is refused.
    std::function<CheckedOptions(const nlohmann::json&)> checkOptions;
    // The grid as the analysis's data-entry window holds it when these
    // options are chosen: its stored design and template.
    std::function<void(model::InputGrid&, const nlohmann::json& options)> writeTemplate;
    // The calculate command on a filled grid, with checked options. The
    // command line's values are there for what it alone prints.
    std::function<AnalysisRun(model::InputGrid&, const nlohmann::json& options, const CommandLineValues&,
                              Prompter&, const ReportContext&)>
        run;
};

// The analyses a program knows, in the order its menus and --help list them.
using AnalysisCatalogue = std::span<const AnalysisRegistration* const>;

// The analysis of that name, or null.
const AnalysisRegistration* FindAnalysis(AnalysisCatalogue analyses, std::string_view name);

}  // namespace tavelmark::report
