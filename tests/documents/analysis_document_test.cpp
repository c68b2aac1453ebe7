#include "documents/analysis_document.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <string>

#include "model/cell_ref.h"
#include "model/input_grid.h"

namespace tavelmark::documents {
namespace {

using model::Cell, model::CellValue, model::GridSheet, model::Range;
using report::AnalysisRegistration, report::CheckedOptions;

// Two analyses as a program registers them; their options pass as they are,
// but a "refuse" member is refused, as an analysis refuses a bad value.
CheckedOptions PassOptions(const nlohmann::json& options) {
    if (options.contains("refuse")) return {{}, "选项 refuse 的值不对"};
    return {options, {}};
}
const AnalysisRegistration kMeans{.name = "means", .caption = "智能化两组均数分析", .checkOptions = PassOptions};
const AnalysisRegistration kRates{.name = "rates", .caption = "智能化两组有效率分析", .checkOptions = PassOptions};
const AnalysisRegistration* const kKnownList[] = {&kMeans, &kRates};
const report::AnalysisCatalogue kKnown = kKnownList;
using nlohmann::json;

GridSheet SheetWith(std::initializer_list<std::pair<const char*, CellValue>> values) {
    GridSheet sheet("Sheet1");
    sheet.setViewableRange(Range("A1:D13"));
    for (const auto& [a1, value] : values) sheet.setValue(a1, value);
    return sheet;
}

AnalysisDocument Document(const char* analysis, const GridSheet& sheet) {
    AnalysisDocument document;
    document.analysis = analysis;
    document.cells = CollectCells(sheet);
    document.options = {{"background", 2.5}, {"fieller", true}};
    document.program = "Tavelmark 1.0";
    document.savedAt = "2026-12-10T15:42:07+08:00";
    return document;
}

TEST(AnalysisDocument, GridAndOptionsComeBackExactly) {
    // Numbers keep every bit (the shortest text that reads back the same),
    // texts keep their Chinese and their spaces, empty cells stay empty.
    const GridSheet original = SheetWith({{"A1", std::string("剂量 (mg/kg)")},
                                          {"B2", 14.192381633471689},
                                          {"C2", 0.1 + 0.2},
                                          {"D13", -1e-300},
                                          {"B3", std::numeric_limits<double>::max()},
                                          {"A4", std::string("  前后有空格  ")}});
    const std::string text = WriteAnalysisDocument(Document("means", original));
    const ReadResult read = ReadAnalysisDocument(text, kKnown, "means", Range("A1:D13"));
    ASSERT_TRUE(read.document) << read.error;
    EXPECT_EQ(read.document->cells, CollectCells(original));
    EXPECT_EQ(read.document->options["background"], 2.5);
    EXPECT_EQ(read.document->options["fieller"], true);
    EXPECT_EQ(read.document->savedAt, "2026-12-10T15:42:07+08:00");

    GridSheet reopened = SheetWith({{"C5", std::string("这格应被清空")}});
    ApplyCells(read.document->cells, reopened);
    EXPECT_EQ(CollectCells(reopened), CollectCells(original));
}

struct Refusal {
    const char* name;
    std::string text;
    std::string saysWhy;
};

// `depth` arrays, one inside the other.
std::string Nested(int depth) { return std::string(depth, '[') + std::string(depth, ']'); }

TEST(AnalysisDocument, RefusesWhatItCannotOpenAndSaysWhy) {
    const std::string good = WriteAnalysisDocument(Document("means", SheetWith({{"A2", 1.0}})));
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string t = good;
        t.replace(t.find(from), from.size(), to);
        return t;
    };
    const Refusal cases[] = {
        {"not json", "PK\x03\x04 a zip", "不是Tavelmark分析数据文件"},
        {"empty", "", "不是Tavelmark分析数据文件"},
        {"other json", R"({"name": "x"})", "不是Tavelmark分析数据文件"},
        {"cut short", good.substr(0, good.size() / 2), "不是Tavelmark分析数据文件"},
        {"other analysis", replaced("\"means\"", "\"rates\""), "“智能化两组有效率分析”的数据"},
        {"unknown analysis", replaced("\"means\"", "\"anova\""), "不是Tavelmark分析数据文件"},
        {"newer format", replaced("\"formatVersion\": 1", "\"formatVersion\": 7"), "格式版本 7"},
        {"bad cell name", replaced("\"A2\"", "\"ZZZZ0\""), "不是Tavelmark分析数据文件"},
        {"outside the grid", replaced("\"A2\"", "\"A999\""), "A999 位于表格可录入区域之外"},
        {"number as string", replaced("\"number\": 1.0", "\"number\": \"1\""), "不是Tavelmark分析数据文件"},
        {"options not an object", replaced("\"options\": {", "\"options\": [], \"x\": {"),
         "不是Tavelmark分析数据文件"},
        {"options the analysis refuses", replaced("\"options\": {", "\"options\": {\"refuse\": 1,"),
         "选项有误：选项 refuse 的值不对"},
        // 200 KB that once overflowed the stack while the tree was copied.
        {"options nested 100,000 deep", replaced("\"options\": {", "\"options\": {\"x\": " + Nested(100000) + ", "),
         "不是Tavelmark分析数据文件"},
        // The document, its options and a member hold the arrays: one level too many.
        {"options one level too deep", replaced("\"options\": {", "\"options\": {\"x\": " + Nested(kDeepestNesting - 1) + ", "),
         "不是Tavelmark分析数据文件"},
    };
    for (const Refusal& c : cases) {
        const ReadResult read = ReadAnalysisDocument(c.text, kKnown, "means", Range("A1:D13"));
        EXPECT_FALSE(read.document) << c.name;
        EXPECT_NE(read.error.find(c.saysWhy), std::string::npos) << c.name << ": " << read.error;
    }
}

TEST(AnalysisDocument, OptionsNestedUpToTheLimitAreKept) {
    // The document, its options and a member: three levels above the value.
    AnalysisDocument document = Document("means", SheetWith({{"B2", 5.0}}));
    document.options["deep"] = json::parse(Nested(kDeepestNesting - 2));
    const ReadResult read = ReadAnalysisDocument(WriteAnalysisDocument(document), kKnown, "means");
    ASSERT_TRUE(read.document) << read.error;
    EXPECT_EQ(read.document->options, document.options);
}

TEST(AnalysisDocument, LongTextsKeepTheirFirst32767Characters) {
    // A spreadsheet cell holds 32,767 characters; a CSV field is cut the same way.
    const std::string han = "批";
    const struct {
        std::string text;
        std::string kept;
    } cases[] = {
        {std::string(40000, 'x'), std::string(32767, 'x')},
        {[&] { std::string t; for (int i = 0; i < 32768; ++i) t += han; return t; }(),
         [&] { std::string t; for (int i = 0; i < 32767; ++i) t += han; return t; }()},
        {std::string(32767, 'y'), std::string(32767, 'y')},
        {"短", "短"},
    };
    for (const auto& c : cases) {
        const std::string text =
            WriteAnalysisDocument(Document("means", SheetWith({{"A1", c.text}})));
        const ReadResult read = ReadAnalysisDocument(text, kKnown, "means", Range("A1:D13"));
        ASSERT_TRUE(read.document) << read.error;
        ASSERT_EQ(read.document->cells.size(), 1u);
        EXPECT_EQ(std::get<std::string>(read.document->cells[0].value), c.kept) << c.text.size();
    }
}

TEST(AnalysisDocument, OlderFormatsAndAnyKindWhenNoneIsExpected) {
    const std::string text = WriteAnalysisDocument(Document("rates", SheetWith({{"B2", 12.0}})));
    const ReadResult read = ReadAnalysisDocument(text, kKnown);
    ASSERT_TRUE(read.document) << read.error;
    EXPECT_EQ(read.document->analysis, "rates");
}

TEST(AnalysisDocument, FileIsSavedWholeAndLargeFilesAreRefused) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("tavelmark-doc-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "实验一.tavelmark").string();
    std::string error;
    ASSERT_TRUE(SaveAnalysisFile(path, Document("means", SheetWith({{"B2", 5.0}})), &error)) << error;
    const ReadResult read = LoadAnalysisFile(path, kKnown, "means");
    ASSERT_TRUE(read.document) << read.error;
    EXPECT_EQ(read.document->cells.size(), 1u);

    const std::string huge = (dir / "huge.tavelmark").string();
    std::ofstream(huge) << std::string(5u << 20, ' ');
    EXPECT_FALSE(LoadAnalysisFile(huge, kKnown, "means").document);
    EXPECT_FALSE(LoadAnalysisFile((dir / "missing.tavelmark").string(), kKnown, "means").document);
    EXPECT_FALSE(LoadAnalysisFile(dir.string(), kKnown, "means").document);

    // Options the analysis refuses: the message names the file.
    const std::string refused = (dir / "refused.tavelmark").string();
    AnalysisDocument document = Document("means", SheetWith({{"B2", 5.0}}));
    document.options["refuse"] = true;
    ASSERT_TRUE(SaveAnalysisFile(refused, document, &error)) << error;
    const ReadResult named = LoadAnalysisFile(refused, kKnown, "means");
    EXPECT_FALSE(named.document);
    EXPECT_NE(named.error.find(refused), std::string::npos) << named.error;
    std::filesystem::remove_all(dir);
}

TEST(AnalysisDocument, TimestampIsIsoWithOffset) {
    const std::string stamp = LocalTimestamp();
    ASSERT_EQ(stamp.size(), 25u) << stamp;
    EXPECT_EQ(stamp[10], 'T');
    EXPECT_EQ(stamp[22], ':');
}

}  // namespace
}  // namespace tavelmark::documents
