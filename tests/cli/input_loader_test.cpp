#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "cli/cli_support.h"
#include "cli/csv_reader.h"
#include "cli/input_loader.h"

namespace tavelmark::cli {

using model::AsNumber, model::CellName, model::CellRef, model::InputGrid, model::IsEmpty,
    model::Range, model::Workbook;
namespace {

namespace fs = std::filesystem;

TEST(LoadInputGrid, NumbersTextsAndWhatLiesOutsideTheGrid) {
    InputGrid grid;
    grid.activeSheet().setViewableRange(Range("A1:C3"));
    grid.setValue("B2", 999.0);  // whatever was there before is replaced
    std::ostringstream err;
    ASSERT_EQ(LoadInputGrid(TAVELMARK_TEST_DATA "/gbk_tab.csv", grid, err), LoadStatus::Loaded);
    EXPECT_EQ(std::get<std::string>(grid.value("A1")), "批次");
    EXPECT_EQ(AsNumber(grid.value("B2")), 14.0);
    EXPECT_EQ(AsNumber(grid.value("C3")), 5.0);
    EXPECT_EQ(err.str(), "");

    std::ostringstream err2;
    ASSERT_EQ(LoadInputGrid(TAVELMARK_TEST_DATA "/ldk_too_many_rows.csv", grid, err2), LoadStatus::Loaded);
    EXPECT_TRUE(IsEmpty(grid.value("D1")));
    EXPECT_NE(err2.str().find("有 18 个数据位于输入表格 A1:C3 之外"), std::string::npos) << err2.str();

    std::ostringstream err3;
    EXPECT_EQ(LoadInputGrid("/nonexistent.csv", grid, err3), LoadStatus::Unreadable);
    EXPECT_NE(err3.str().find("无法读取"), std::string::npos);
    EXPECT_EQ(LoadInputGrid(TAVELMARK_TEST_DATA, grid, err3), LoadStatus::Unreadable);
}

// Only a finite decimal number is a number; what a double could also hold
// (infinities, NaN, hex, beyond its range) stays the text it was.
TEST(LoadInputGrid, NonNumbersStayText) {
    InputGrid grid;
    grid.activeSheet().setViewableRange(Range("A1:C4"));
    std::ostringstream err;
    ASSERT_EQ(LoadInputGrid(TAVELMARK_TEST_DATA "/non_numbers.csv", grid, err), LoadStatus::Loaded);
    const char* texts[][3] = {{"inf", "-inf", "+Inf"},
                              {"Infinity", "-Infinity", "NaN"},
                              {"-nan", "nan(123)", "0x1p3"},
                              {"1e400", "1e-400", nullptr}};
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 3; ++column) {
            const CellRef cell{row + 1, column + 1};
            if (!texts[row][column]) continue;
            const auto* text = std::get_if<std::string>(&grid.value(cell));
            ASSERT_NE(text, nullptr) << CellName(cell);
            EXPECT_EQ(*text, texts[row][column]);
        }
    EXPECT_EQ(AsNumber(grid.value("C4")), -2500.0);
}

// The first byte that is not UTF-8 comes after the first pieces of the file:
// the whole file is read again as GBK, headings included.
TEST(LoadInputGrid, ReadsAgainAsGbkWhenALateByteIsNotUtf8) {
    InputGrid grid;
    grid.activeSheet().setViewableRange(Range("A1:B3"));
    std::string csv = "LD50," + std::string(300000, 'x') + "\n\xB5\xDA" "1" "\xC5\xFA,14\n";
    std::istringstream bytes(csv);
    std::ostringstream err;
    ASSERT_EQ(LoadInputGrid(bytes, grid, err), LoadStatus::Loaded);
    EXPECT_EQ(std::get<std::string>(grid.value("A2")), "第1批");
    EXPECT_EQ(AsNumber(grid.value("B2")), 14.0);
    EXPECT_EQ(std::get<std::string>(grid.value("B1")).size(), static_cast<std::size_t>(kMaxFieldCharacters));
}

TEST(LoadInputGrid, AFileThatIsNotTextLeavesTheGridAsItWas) {
    InputGrid grid;
    grid.activeSheet().setViewableRange(Range("A1:B3"));
    grid.setValue("B2", 7.0);
    std::istringstream bytes(std::string("14,2.9\n\xFF\xFF\xFF\n", 11));
    std::ostringstream err;
    EXPECT_EQ(LoadInputGrid(bytes, grid, err), LoadStatus::UnknownEncoding);
    EXPECT_EQ(AsNumber(grid.value("B2")), 7.0);
}

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
        const CommonOptions options{std::string(TAVELMARK_TEST_DATA) + c.input, report.string(), true};
        std::ostringstream out, err;
        EXPECT_EQ(RunCalculation(grid, options, {out, err}, c.calculate), c.exitCode) << c.input;
        EXPECT_NE(err.str().find(c.err), std::string::npos) << err.str();
        EXPECT_EQ(fs::exists(report), c.exitCode == kReportWritten) << c.input;
        EXPECT_EQ(out.str().empty(), c.exitCode != kReportWritten) << c.input;
    }
    fs::remove(report);
}

}  // namespace
}  // namespace tavelmark::cli
