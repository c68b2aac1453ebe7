#include "cli/cli_support.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include <unistd.h>

#include "copyout/sheet_text.h"
#include "report/guarded_run.h"
#include "xlsx/xlsx_export.h"

namespace tavelmark::cli {

using files::LoadInputGrid, files::LoadStatus;
using model::CellRef, model::InputGrid, model::PlainText, model::ReportValue, model::Sheet,
    model::Workbook;
using report::Prompter, report::ReportContext, report::ReportOutcome, report::RunGuarded,
    report::StreamPrompter, report::kBackgroundPictureName;
namespace fs = std::filesystem;

bool WritesToStandardOutput(const CommonOptions& options) { return options.output == "-"; }

void AddCommonOptions(CLI::App& command, CommonOptions& options) {
    command.add_option("INPUT", options.input, "输入表格 (CSV: 第 i 行第 j 个字段填入第 i 行第 j 列)")
        ->required()
        ->check(CLI::ExistingFile);
    command.add_option("--save-analysis", options.saveAnalysis,
                       "把表格与选项另存为分析数据文件 (.tavelmark), 可用 run 重算");
    AddOutputOptions(command, options);
}

CLI::Option* AddExtendedOption(CLI::App& command, bool& extended) {
    return command.add_flag("--extended", extended, "扩展结果: 在第二个工作表写出效应量、精确检验等现代估计");
}

void AddOutputOptions(CLI::App& command, CommonOptions& options) {
    command.add_option("-o,--output", options.output, "报告文件 (.xlsx); - 表示写到标准输出");
    command.add_flag("--print", options.print, "把报告的单元格以制表符分隔输出到标准输出");
    // Known before any calculation, so a usage error never costs one.
    command.parse_complete_callback([&options] { CheckOutputChoice(options); });
}

void CheckOutputChoice(const CommonOptions& options) {
    if (options.output.empty() && !options.print)
        throw CLI::ValidationError("请用 -o 指定报告文件, 或用 --print 输出报告");
    if (!WritesToStandardOutput(options)) return;
    // The workbook's bytes are meant for a pipeline: they must not be mixed
    // with other output, and a terminal cannot show them.
    if (options.print) throw CLI::ValidationError("-o -", "不能与 --print 同时使用 (两者都写到标准输出)");
    if (::isatty(STDOUT_FILENO))
        throw CLI::ValidationError("-o -", "标准输出是终端; 请把 .xlsx 文件重定向到文件或管道");
}

namespace {

fs::path ExecutableDir() {
#ifdef __linux__
    std::error_code ec;
    auto exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) return exe.parent_path();
#endif
    return fs::current_path();
}

}  // namespace

ReportContext FindReportContext() {
    if (const char* dir = std::getenv("TAVELMARK_RESOURCES"); dir && *dir) return {dir};
    const fs::path exeDir = ExecutableDir();
    for (const fs::path& candidate :
         {exeDir / "resources", exeDir / TAVELMARK_DATADIR_FROM_BINDIR, exeDir / ".." / "resources",
          exeDir / ".." / ".." / "resources"}) {
        std::error_code ec;
        if (fs::is_regular_file(candidate / kBackgroundPictureName, ec))
            return {fs::weakly_canonical(candidate, ec).string()};
    }
    return {};
}

int RunCalculation(InputGrid& grid, const CommonOptions& options, Streams io, const Calculate& calculate,
                   documents::AnalysisDocument toSave) {
    switch (LoadInputGrid(options.input, grid, io.err)) {
        case LoadStatus::Loaded: break;
        case LoadStatus::Unreadable: return kUsageError;
        case LoadStatus::UnknownEncoding: return kInputRefused;
    }
    if (!options.saveAnalysis.empty()) {
        documents::AnalysisDocument& document = toSave;
        document.cells = documents::CollectCells(grid.activeSheet());
        document.program = std::string("tavelmark-cli ") + TAVELMARK_VERSION;
        document.savedAt = documents::LocalTimestamp();
        std::string error;
        if (!documents::SaveAnalysisFile(options.saveAnalysis, document, &error)) {
            io.err << error << '\n';
            return kUsageError;
        }
    }
    return RunLoadedCalculation(options, io, calculate);
}

int RunLoadedCalculation(const CommonOptions& options, Streams io, const Calculate& calculate) {
    StreamPrompter prompter(io.err);
    const std::optional<ReportOutcome> outcome = RunGuarded(prompter, [&] { return calculate(prompter); });
    if (!outcome) return kCalculationFailed;
    return FinishReport(*outcome, options, io);
}

namespace {

// -o FILE: saved whole or not at all; `-o -`: the same bytes on standard output.
bool WriteReportFile(const Workbook& workbook, const std::string& output, Streams io) {
    std::string error;
    if (output == "-") {
        const auto bytes = xlsx::XlsxBytes(workbook, &error);
        if (bytes && io.out.write(bytes->data(), static_cast<std::streamsize>(bytes->size())).flush()) return true;
        if (bytes) error = "无法把报告写到标准输出";
    } else if (xlsx::SaveXlsx(workbook, output, &error)) {
        return true;
    }
    io.err << error << '\n';
    return false;
}

}  // namespace

// Standard output took everything written to it; otherwise the cause is
// reported. (A closed standard output is never a file opened later: main()
// keeps the three standard descriptors taken.)
int CheckedStandardOutput(Streams io) {
    errno = 0;
    if (io.out.flush()) return kReportWritten;
    const int cause = errno;
    io.err << "无法写到标准输出" << (cause != 0 ? std::string(": ") + std::strerror(cause) : std::string()) << '\n';
    return kUsageError;
}

int FinishReport(const ReportOutcome& outcome, const CommonOptions& options, Streams io) {
    if (outcome.refused || !outcome.workbook) return kInputRefused;
    if (!options.output.empty() && !WriteReportFile(*outcome.workbook, options.output, io)) return kUsageError;
    if (!options.print) return kReportWritten;
    PrintWorkbook(*outcome.workbook, io.out);
    return CheckedStandardOutput(io);
}

int PrintAfterReport(const std::string& text, Streams io) {
    io.out << text;
    return CheckedStandardOutput(io);
}

void PrintWorkbook(const Workbook& workbook, std::ostream& out) {
    out << copyout::SheetAsTsv(workbook.activeSheet());
    for (std::size_t i = 1; i < workbook.sheets.size(); ++i)
        out << "\n[" << workbook.sheets[i].name() << "]\n" << copyout::SheetAsTsv(workbook.sheets[i]);
}

}  // namespace tavelmark::cli
