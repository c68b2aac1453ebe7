#pragma once
// Reads CSV text as spreadsheets export it: comma, tab or semicolon
// separated, quoted fields with doubled quotes, records ended by \n, \r\n or
// \r. The text arrives piece by piece and only the fields the caller wants
// are kept, so a file of any size is read in little memory.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tavelmark::files {

// The separator of the first line: tab if it has one, else whichever of
// ';' and ',' occurs more often outside quotes (',' on a tie).
char DetectSeparator(std::string_view firstLine);

// Fields in records 1..lastRecord at positions 1..lastField: those whose text
// the caller needs.
struct CsvReach {
    std::int64_t lastRecord = 0;
    std::int64_t lastField = 0;
    bool contains(std::int64_t record, std::int64_t field) const {
        return record >= 1 && record <= lastRecord && field >= 1 && field <= lastField;
    }
};

// A spreadsheet cell holds at most this many characters; a longer field
// within reach keeps its first ones.
inline constexpr std::int64_t kMaxFieldCharacters = 32767;

// The first kMaxFieldCharacters characters of UTF-8 text: what a cell keeps
// of a longer text from any file (characters counted by their first byte,
// as a field's are).
std::string_view CellCharacters(std::string_view text);

// The separator is taken from the first line, or from its first
// kSeparatorLineLimit bytes when it is longer.
inline constexpr std::size_t kSeparatorLineLimit = 64 * 1024;

class CsvParser {
public:
    // Called once per field as it ends, with its record and field number
    // (from 1). `text` is the field's text within reach and empty outside it;
    // `blank` says whether the field holds nothing but spaces and tabs.
    using FieldSink =
        std::function<void(std::int64_t record, std::int64_t field, std::string_view text, bool blank)>;

    CsvParser(CsvReach reach, FieldSink sink);

    // UTF-8 text; a piece may end anywhere, even inside a field or a "\r\n".
    void feed(std::string_view text);
    // The end of the text: hands over the last field of an unended record.
    void finish();

private:
    void take(char c);
    void append(char c);
    void endField();
    void endRecord();
    void settleSeparator(std::string_view firstLine);

    CsvReach reach_;
    FieldSink sink_;
    std::string head_;  // the first line while the separator is not yet known
    char separator_ = 0;

    std::int64_t record_ = 1;
    std::int64_t field_ = 1;
    std::string text_;
    std::int64_t length_ = 0;      // characters seen in this field, kept or not
    std::int64_t characters_ = 0;  // characters kept in text_
    bool wanted_ = false;
    bool blank_ = true;
    bool quoted_ = false;
    bool quoteInQuotes_ = false;   // a '"' inside quotes: a doubled one or the closing one
    bool afterCarriageReturn_ = false;
};

}  // namespace tavelmark::files
