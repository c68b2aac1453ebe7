#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "cli/cli_support.h"

namespace tavelmark::cli {

using model::CellRef, model::InputGrid, model::Workbook;
using report::MessageIcon, report::Prompter, report::ReportOutcome;

namespace {

namespace fs = std::filesystem;

// A subcommand's exit codes, the calculation's own included: a throwing
// calculation is reported as the desktop program reports it, exit 3, and
// no report is written.
TEST(RunCalculation, ExitCodes) {
    const fs::path report = fs::temp_directory_path() / "tavelmark-run-calculation-test.xlsx";
    const auto throwing = [](Prompter&) -> ReportOutcome {
        throw std::domain_error("logarithm of a value that is not positive");
    };
    const auto refusing = [](Prompter& prompter) {
        prompter.message("录入的数据类型错误或超出范围", "数据类型错误或超出范围", MessageIcon::Critical);
        return ReportOutcome{std::nullopt, true};
    };
    const auto reporting = [](Prompter&) {
        ReportOutcome outcome{Workbook{}, false};
        outcome.workbook->activeSheet().setValue(CellRef{1, 1}, std::string("计算结果"));
        return outcome;
    };
    struct Case {
        const char* input;
        std::function<ReportOutcome(Prompter&)> calculate;
        int exitCode;
        const char* err;
    };
    const Case cases[] = {
        {"/gbk_tab.csv", throwing, kCalculationFailed,
         "运行错误！: 命令未能完成：logarithm of a value that is not positive\n"},
        {"/gbk_tab.csv", refusing, kInputRefused, "数据类型错误或超出范围: 录入的数据类型错误或超出范围\n"},
        {"/not_a_csv.csv", reporting, kInputRefused, "编码无法识别"},
        {"/nothing_here.csv", reporting, kUsageError, "无法读取输入文件"},
        {"/gbk_tab.csv", reporting, kReportWritten, ""},
    };
    for (const auto& c : cases) {
        fs::remove(report);
        InputGrid grid;
        const CommonOptions options{std::string(INPUT_FILES) + c.input, report.string(), true, {}};
        std::ostringstream out, err;
        EXPECT_EQ(RunCalculation(grid, options, {out, err}, c.calculate, {}), c.exitCode) << c.input;
        EXPECT_NE(err.str().find(c.err), std::string::npos) << err.str();
        EXPECT_EQ(fs::exists(report), c.exitCode == kReportWritten) << c.input;
        EXPECT_EQ(out.str().empty(), c.exitCode != kReportWritten) << c.input;
    }
    fs::remove(report);
}

}  // namespace
}  // namespace tavelmark::cli
