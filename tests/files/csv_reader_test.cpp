#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/csv_reader.h"

namespace tavelmark::files {
namespace {

using Table = std::vector<std::vector<std::string>>;

// The fields the parser hands over, fed the text in pieces of `pieceSize`
// bytes; fields outside `reach` are shown as "<blank>" or "<value>".
Table Parse(std::string_view text, std::size_t pieceSize, CsvReach reach = {1000, 1000}) {
    Table table;
    CsvParser parser(reach, [&](std::int64_t record, std::int64_t field, std::string_view t, bool blank) {
        if (table.size() < static_cast<std::size_t>(record)) table.resize(record);
        auto& row = table[record - 1];
        EXPECT_EQ(row.size() + 1, static_cast<std::size_t>(field));
        row.emplace_back(reach.contains(record, field) ? std::string(t) : blank ? "<blank>" : "<value>");
    });
    for (std::size_t at = 0; at < text.size(); at += pieceSize) parser.feed(text.substr(at, pieceSize));
    parser.finish();
    return table;
}

// Every piece size, so that a piece may end inside a quote pair, a "\r\n"
// or a character.
TEST(CsvParser, SeparatorsQuotesAndLineEndsInPiecesOfAnySize) {
    struct Case {
        const char* text;
        Table expected;
    };
    const Case cases[] = {
        {"a,b\n1,2\n", {{"a", "b"}, {"1", "2"}}},
        {"a\tb,c\r\n1\t2\r\n", {{"a", "b,c"}, {"1", "2"}}},
        {"a;b;c\n1,5;2;\n", {{"a", "b", "c"}, {"1,5", "2", ""}}},
        {"\"x,y\",\"say \"\"hi\"\"\"\nlast", {{"x,y", "say \"hi\""}, {"last"}}},
        {"\"two\nlines\",\"\"\r\r\nx", {{"two\nlines", ""}, {""}, {"x"}}},
        {"a\"b,\"c\"d\n", {{"a\"b", "cd"}}},
        {"第1批,１４\r第2批,20", {{"第1批", "１４"}, {"第2批", "20"}}},
        {",,\n", {{"", "", ""}}},
        {"", {}},
    };
    for (const auto& c : cases) {
        const std::string_view text = c.text;
        for (std::size_t piece = 1; piece <= std::max<std::size_t>(text.size(), 1); ++piece)
            EXPECT_EQ(Parse(text, piece), c.expected) << c.text << " in pieces of " << piece;
    }
}

// Only fields in reach keep their text; the others say whether they hold
// anything, which is all the warning about values beyond the grid needs.
TEST(CsvParser, FieldsBeyondReachAreOnlyToldBlankOrNot) {
    const std::string far(100000, 'x');
    const Table expected = {{"a", "b", "<value>"}, {"1", " ", "<blank>", "<value>"}, {"<value>", "<blank>"}};
    EXPECT_EQ(Parse("a,b,c\n1, ,\t,\"" + far + "\"\n9,  \n", 4096, {2, 2}), expected);
}

TEST(CsvParser, AFieldKeepsAtMostASpreadsheetCellsCharacters) {
    std::string field;
    for (int i = 0; i < kMaxFieldCharacters + 10; ++i) field += "批";
    const Table table = Parse(field + ",1\n", 1000, {1, 2});
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0][0], field.substr(0, kMaxFieldCharacters * std::string("批").size()));
    EXPECT_EQ(table[0][1], "1");
}

TEST(CsvParser, TheSeparatorOfAVeryLongFirstLineIsTakenFromItsStart) {
    std::string line;
    while (line.size() < 2 * kSeparatorLineLimit) line += "1;2;3,5;";
    const Table table = Parse(line + "\nx;y\n", 1000, {2, 2});
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0][1], "2");
    EXPECT_EQ(table[1], (std::vector<std::string>{"x", "y"}));
}

}  // namespace
}  // namespace tavelmark::files
