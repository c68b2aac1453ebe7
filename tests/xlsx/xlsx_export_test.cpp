// SaveXlsx's refusals: a failed save says why, returns false, leaves no
// half-written file and never destroys a file already at the destination.
// What a successful save holds is checked by check_readback.py; here, that
// each kind of number the writer's own text would not give back exactly is
// rewritten even when it is the only number of the workbook.
#include <gtest/gtest.h>
#include <zip.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "model/workbook.h"
#include "xlsx/xlsx_export.h"

namespace tavelmark::xlsx {

using model::Sheet, model::Workbook;

namespace {

namespace fs = std::filesystem;

fs::path FreshFolder(const std::string& name) {
    const fs::path folder = fs::path(::testing::TempDir()) / ("xlsx_export_test_" + name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

// Anything in the folder besides the target is a leftover of the save.
std::vector<std::string> Leftovers(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename() != "report.xlsx") names.push_back(entry.path().filename().string());
    return names;
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Workbook OneCell() {
    Workbook book;
    book.activeSheet().setValue("A1", 1.0);
    return book;
}

enum class Destination { MissingFolder, ExistingFolder, ExistingFile };

struct RefusedSave {
    const char* name;
    std::function<Workbook()> book;
    Destination destination;
    const char* messagePart;  // a piece the message must name, so the user can act on it
};

void PrintTo(const RefusedSave& c, std::ostream* os) { *os << c.name; }

class SaveXlsxRefusal : public ::testing::TestWithParam<RefusedSave> {};

TEST_P(SaveXlsxRefusal, ReturnsFalseWithAMessageAndKeepsTheOldFile) {
    const RefusedSave& c = GetParam();
    const fs::path folder = FreshFolder(c.name);
    fs::path target = folder / "report.xlsx";
    const std::string oldContent = "an earlier file the user kept";
    switch (c.destination) {
    case Destination::MissingFolder: target = folder / "no such folder" / "report.xlsx"; break;
    case Destination::ExistingFolder: fs::create_directory(target); break;
    case Destination::ExistingFile: std::ofstream(target, std::ios::binary) << oldContent; break;
    }

    std::string error;
    EXPECT_FALSE(SaveXlsx(c.book(), target.string(), &error));
    EXPECT_NE(error.find(c.messagePart), std::string::npos) << error;
    EXPECT_TRUE(Leftovers(folder).empty());
    if (c.destination == Destination::ExistingFile) {
        EXPECT_EQ(ReadAll(target), oldContent);
    }
    if (c.destination == Destination::ExistingFolder) {
        EXPECT_TRUE(fs::is_directory(target));
    }
    EXPECT_FALSE(SaveXlsx(c.book(), target.string()));  // no error sink: still refused, no crash
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SaveXlsxRefusal,
    ::testing::Values(
        RefusedSave{"unwritable_folder", OneCell, Destination::MissingFolder, "report.xlsx"},
        RefusedSave{"destination_is_a_folder", OneCell, Destination::ExistingFolder, "report.xlsx"},
        RefusedSave{"no_sheets", [] { Workbook b; b.sheets.clear(); return b; },
                    Destination::ExistingFile, "report.xlsx"},
        RefusedSave{"sheet_name_with_slash", [] { Workbook b; b.sheets = {Sheet("a/b")}; return b; },
                    Destination::ExistingFile, "a/b"},
        RefusedSave{"two_sheets_one_name",
                    [] { Workbook b; b.sheets = {Sheet("Data"), Sheet("Data")}; return b; },
                    Destination::ExistingFile, "Data"},
        RefusedSave{"text_longer_than_a_cell_holds",
                    [] {
                        Workbook b;
                        b.activeSheet().setValue("B3", std::string(32768, 'x'));
                        return b;
                    },
                    Destination::ExistingFile, "Sheet1!B3"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SaveXlsx, ReplacesAnExistingFileAndSkipsAMissingBackgroundPicture) {
    const fs::path folder = FreshFolder("replace");
    const fs::path target = folder / "report.xlsx";
    std::ofstream(target, std::ios::binary) << "old";
    Workbook book = OneCell();
    book.activeSheet().setBackgroundPicture((folder / "missing.jpg").string());

    std::string error;
    ASSERT_TRUE(SaveXlsx(book, target.string(), &error)) << error;
    EXPECT_EQ(ReadAll(target).substr(0, 2), "PK");  // a zip package now
    EXPECT_TRUE(Leftovers(folder).empty());
}

TEST(XlsxBytes, AreTheWholeWorkbookOrSayWhyNot) {
    std::string error;
    const auto bytes = XlsxBytes(OneCell(), &error);
    ASSERT_TRUE(bytes) << error;
    EXPECT_EQ(bytes->substr(0, 2), "PK");

    Workbook noSheets;
    noSheets.sheets.clear();
    EXPECT_FALSE(XlsxBytes(noSheets, &error));
    EXPECT_NE(error.find("工作簿中没有工作表"), std::string::npos) << error;
}

// The worksheet part's text of the first <v>...</v> in `bytes`, an .xlsx.
std::optional<std::string> FirstValueText(const std::string& bytes) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    zip_t* archive = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    zip_error_fini(&error);
    if (!archive) {
        if (source) zip_source_free(source);
        return std::nullopt;
    }
    std::string xml;
    if (zip_file_t* part = zip_fopen(archive, "xl/worksheets/sheet1.xml", 0)) {
        char chunk[4096];
        zip_int64_t n;
        while ((n = zip_fread(part, chunk, sizeof chunk)) > 0) xml.append(chunk, static_cast<std::size_t>(n));
        zip_fclose(part);
    }
    zip_close(archive);
    const std::size_t start = xml.find("<v>");
    const std::size_t end = xml.find("</v>", start);
    if (start == std::string::npos || end == std::string::npos) return std::nullopt;
    return xml.substr(start + 3, end - start - 3);
}

struct LoneNumber {
    const char* name;
    double value;
    const char* text;  // std::to_chars's shortest round-trip text of the value
};

void PrintTo(const LoneNumber& c, std::ostream* os) { *os << c.name; }

class LoneNumberText : public ::testing::TestWithParam<LoneNumber> {};

TEST_P(LoneNumberText, IsTheShortestRoundTripText) {
    Workbook book;
    book.activeSheet().setValue("B2", GetParam().value);
    std::string error;
    const auto bytes = XlsxBytes(book, &error);
    ASSERT_TRUE(bytes) << error;
    EXPECT_EQ(FirstValueText(*bytes), std::string(GetParam().text));
}

// The first group is written by the library as it is; each of the others
// differs from the library's 16-digit "%.16G" text in its own way.
INSTANTIATE_TEST_SUITE_P(
    XlsxBytes, LoneNumberText,
    ::testing::Values(LoneNumber{"half", 0.5, "0.5"}, LoneNumber{"negative", -1234.25, "-1234.25"},
                      LoneNumber{"sixteen_digits", 0.1234567890123456, "0.1234567890123456"},
                      LoneNumber{"seventeen_digits", 0.1 + 0.2, "0.30000000000000004"},
                      LoneNumber{"third", 1.0 / 3, "0.3333333333333333"},
                      LoneNumber{"small_exponent", 1e-5, "1e-05"},
                      LoneNumber{"large_exponent", 1e23, "1e+23"},
                      LoneNumber{"million_shorter_with_exponent", 1e6, "1e+06"},
                      LoneNumber{"beyond_sixteen_digits_whole", 9007199254740993.0, "9007199254740992"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tavelmark::xlsx
