// tavelmark-cli: the batch front end. Loads an input grid from CSV, runs the
// same calculate command as the desktop program and writes the report.
#include "cli/command_line.h"

int main(int argc, char** argv) { return tavelmark::cli::RunCommandLine(argc, argv); }
