#pragma once
// The subcommands: one for each analysis of the list, built from its
// registration, and `run`, which replays a saved analysis of any of them.
// Each registers its options and its callback, which stores the exit code in
// `exitCode`.
#include <CLI/CLI.hpp>

#include "cli/cli_support.h"
#include "report/analysis_registration.h"

namespace tavelmark::cli {

void AddAnalysisCommand(CLI::App& app, const report::AnalysisRegistration& analysis, int& exitCode, Streams io);
void AddRunCommand(CLI::App& app, report::AnalysisCatalogue analyses, int& exitCode, Streams io);

}  // namespace tavelmark::cli
