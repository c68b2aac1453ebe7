#pragma once
// The whole command line behind main(): parses the arguments, runs the chosen
// subcommand and gives the process's exit code. Kept apart from main.cpp so
// that the argument parser's large header is compiled once, in the library.

namespace tavelmark::cli {

int RunCommandLine(int argc, char** argv);

}  // namespace tavelmark::cli
