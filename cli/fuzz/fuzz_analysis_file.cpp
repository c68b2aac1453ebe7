// Bytes -> an analysis file (*.tavelmark), as a user opens one. Two things
// are checked on every input:
// - the reader alone: a document it accepts, written again, reads back with
//   the same cells and is written the same a second time;
// - `tavelmark-cli run FILE -o OUT.xlsx` on the bytes as a file: the file is
//   refused (exit 1) or its analysis is replayed and the report saved
//   (exit 0). A report that cannot be saved (exit 2) or a calculation that
//   throws (exit 3) stops the run, as a crash does.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>

#include "analyses/analysis_list.h"
#include "cli/commands.h"
#include "documents/analysis_document.h"
#include "fuzz/fuzz_support.h"

namespace {

using namespace tavelmark;

[[noreturn]] void Stop(const std::string& why) {
    std::fprintf(stderr, "%s\n", why.c_str());
    std::abort();
}

void CheckRoundTrip(std::string_view text) {
    const documents::ReadResult read = documents::ReadAnalysisDocument(text, analyses::Analyses());
    if (!read.document) return;
    const std::string written = documents::WriteAnalysisDocument(*read.document);
    const documents::ReadResult again = documents::ReadAnalysisDocument(written, analyses::Analyses());
    if (!again.document) Stop("a document the reader accepted, written again, is refused: " + again.error);
    if (again.document->analysis != read.document->analysis || again.document->cells != read.document->cells)
        Stop("a document written again reads back with other cells");
    if (documents::WriteAnalysisDocument(*again.document) != written)
        Stop("a document written twice gives two texts");
}

int RunCommandOn(const std::string& file, const std::string& report, std::ostream& err) {
    CLI::App app{"tavelmark-cli"};
    std::ostringstream out;
    int exitCode = cli::kReportWritten;
    cli::AddRunCommand(app, analyses::Analyses(), exitCode, cli::Streams{out, err});
    std::string arguments[] = {"tavelmark-cli", "run", file, "-o", report};
    char* argv[] = {arguments[0].data(), arguments[1].data(), arguments[2].data(), arguments[3].data(),
                    arguments[4].data()};
    app.parse(5, argv);
    return exitCode;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckRoundTrip(text);

    const std::string file = fuzz::ScratchFile("input.tavelmark").string();
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(text.data(), static_cast<std::streamsize>(size));
    std::ostringstream err;
    const int exitCode = RunCommandOn(file, fuzz::ScratchFile("report.xlsx").string(), err);
    if (exitCode != cli::kReportWritten && exitCode != cli::kInputRefused)
        Stop("run exits " + std::to_string(exitCode) + ": " + err.str());
    return 0;
}
