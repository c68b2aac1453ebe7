#include "cli/cli_support.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "common/guarded_run.h"
#include "hosts/number_format.h"
#include "hosts/xlsx_export.h"

namespace tavelmark::cli {

namespace fs = std::filesystem;

void AddCommonOptions(CLI::App& command, CommonOptions& options) {
    command.add_option("INPUT", options.input, "输入表格 (CSV: 第 i 行第 j 个字段填入第 i 行第 j 列)")
        ->required()
        ->check(CLI::ExistingFile);
    command.add_option("-o,--output", options.output, "报告文件 (.xlsx)");
    command.add_flag("--print", options.print, "把报告的单元格以制表符分隔输出到标准输出");
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
         {exeDir / "resources", exeDir / ".." / "resources", exeDir / ".." / ".." / "resources"}) {
        std::error_code ec;
        if (fs::is_regular_file(candidate / kBackgroundPictureName, ec))
            return {fs::weakly_canonical(candidate, ec).string()};
    }
    return {};
}

int RunCalculation(InputGrid& grid, const CommonOptions& options, Streams io,
                   const std::function<ReportOutcome(Prompter&)>& calculate) {
    switch (LoadInputGrid(options.input, grid, io.err)) {
        case LoadStatus::Loaded: break;
        case LoadStatus::Unreadable: return kUsageError;
        case LoadStatus::UnknownEncoding: return kInputRefused;
    }
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
                text = Trim(FormatNumber(*d, sheet.format(CellRef{row, column}).numberFormat));
            else
                text = PlainText(v);
            fields.push_back(std::move(text));
        }
        while (!fields.empty() && fields.back().empty()) fields.pop_back();
        for (std::size_t k = 0; k < fields.size(); ++k) out << (k ? "\t" : "") << fields[k];
        out << '\n';
    }
}

int FinishReport(const ReportOutcome& outcome, const CommonOptions& options, Streams io) {
    if (outcome.refused || !outcome.workbook) return kInputRefused;
    if (options.output.empty() && !options.print) {
        io.err << "请用 -o 指定报告文件, 或用 --print 输出报告\n";
        return kUsageError;
    }
    if (!options.output.empty()) {
        std::string error;
        if (!SaveXlsx(*outcome.workbook, options.output, &error)) {
            io.err << "无法写入报告 " << options.output << ": " << error << '\n';
            return kUsageError;
        }
    }
    if (options.print) PrintSheet(outcome.workbook->activeSheet(), io.out);
    return kReportWritten;
}

}  // namespace tavelmark::cli
