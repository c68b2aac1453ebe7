#include "cli/cli_support.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include <unistd.h>

#include "format/number_format.h"
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

void AddExtendedOption(CLI::App& command, bool& extended) {
    command.add_flag("--extended", extended, "扩展结果: 在第二个工作表写出效应量、精确检验等现代估计");
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

std::string Trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return std::string(s.substr(first, last - first + 1));
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
                   const Describe& describe) {
    switch (LoadInputGrid(options.input, grid, io.err)) {
        case LoadStatus::Loaded: break;
        case LoadStatus::Unreadable: return kUsageError;
        case LoadStatus::UnknownEncoding: return kInputRefused;
    }
    if (!options.saveAnalysis.empty()) {
        documents::AnalysisDocument document = describe();
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

void PrintSheet(const Sheet& sheet, std::ostream& out) {
    // Only cells with values count: a report may format far more rows than it fills.
    CellRef extent{0, 0};
    for (const auto& [cell, value] : sheet.cells().values()) {
        extent.row = std::max(extent.row, cell.row);
        extent.column = std::max(extent.column, cell.column);
    }
    for (int row = 1; row <= extent.row; ++row) {
        std::vector<std::string> fields;
        for (int column = 1; column <= extent.column; ++column) {
            const ReportValue& v = sheet.value(CellRef{row, column});
            std::string text;
            if (const auto* d = std::get_if<double>(&v))
                text = Trim(format::FormatNumber(*d, sheet.format(CellRef{row, column}).numberFormat));
            else
                text = PlainText(v);
            fields.push_back(std::move(text));
        }
        while (!fields.empty() && fields.back().empty()) fields.pop_back();
        for (std::size_t k = 0; k < fields.size(); ++k) out << (k ? "\t" : "") << fields[k];
        out << '\n';
    }
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

int FinishReport(const ReportOutcome& outcome, const CommonOptions& options, Streams io) {
    if (outcome.refused || !outcome.workbook) return kInputRefused;
    if (!options.output.empty() && !WriteReportFile(*outcome.workbook, options.output, io)) return kUsageError;
    if (options.print) PrintWorkbook(*outcome.workbook, io.out);
    return kReportWritten;
}

void PrintWorkbook(const Workbook& workbook, std::ostream& out) {
    PrintSheet(workbook.activeSheet(), out);
    for (std::size_t i = 1; i < workbook.sheets.size(); ++i) {
        out << "\n[" << workbook.sheets[i].name() << "]\n";
        PrintSheet(workbook.sheets[i], out);
    }
}

}  // namespace tavelmark::cli
