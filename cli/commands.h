#pragma once
// One subcommand per analysis; each registers its options and its callback,
// which stores the exit code in `exitCode`.
#include <CLI/CLI.hpp>

#include "cli/cli_support.h"

namespace tavelmark::cli {

void AddBlissCommand(CLI::App& app, int& exitCode, Streams io);
void AddMeansCommand(CLI::App& app, int& exitCode, Streams io);
void AddRatesCommand(CLI::App& app, int& exitCode, Streams io);
void AddLDkCompareCommand(CLI::App& app, int& exitCode, Streams io);
void AddRunCommand(CLI::App& app, int& exitCode, Streams io);

}  // namespace tavelmark::cli
