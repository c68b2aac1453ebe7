#include "files/csv_reader.h"

#include <algorithm>
#include <utility>

namespace tavelmark::files {

char DetectSeparator(std::string_view firstLine) {
    int commas = 0, semicolons = 0;
    bool quoted = false;
    for (char c : firstLine) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\t') return '\t';
        if (c == ',') ++commas;
        if (c == ';') ++semicolons;
    }
    return semicolons > commas ? ';' : ',';
}

CsvParser::CsvParser(CsvReach reach, FieldSink sink)
    : reach_(reach), sink_(std::move(sink)), wanted_(reach.contains(1, 1)) {}

void CsvParser::feed(std::string_view text) {
    if (separator_ == 0) {
        // Hold the text back until the first line, or enough of it, is here.
        const std::size_t taken = std::min(kSeparatorLineLimit - head_.size(), text.size());
        head_.append(text.substr(0, taken));
        text.remove_prefix(taken);
        const auto lineEnd = head_.find_first_of("\r\n");
        if (lineEnd == std::string::npos && head_.size() < kSeparatorLineLimit) return;
        settleSeparator(std::string_view(head_).substr(0, lineEnd));
    }
    for (char c : text) take(c);
}

void CsvParser::finish() {
    if (separator_ == 0) settleSeparator(std::string_view(head_).substr(0, head_.find_first_of("\r\n")));
    if (length_ > 0 || field_ > 1) endField();
}

void CsvParser::settleSeparator(std::string_view firstLine) {
    separator_ = DetectSeparator(firstLine);
    const std::string head = std::exchange(head_, {});
    for (char c : head) take(c);
}

void CsvParser::take(char c) {
    if (afterCarriageReturn_) {
        afterCarriageReturn_ = false;
        if (c == '\n') return;  // the second half of "\r\n"
    }
    if (quoted_) {
        if (!quoteInQuotes_) {
            if (c == '"')
                quoteInQuotes_ = true;
            else
                append(c);
            return;
        }
        quoteInQuotes_ = false;
        if (c == '"') {  // "" inside quotes is one quote
            append(c);
            return;
        }
        quoted_ = false;  // the quote closed the field's quoted part; c is read as usual
    }
    if (c == '"' && length_ == 0) {
        quoted_ = true;
    } else if (c == separator_) {
        endField();
    } else if (c == '\n' || c == '\r') {
        endRecord();
        afterCarriageReturn_ = c == '\r';
    } else {
        append(c);
    }
}

std::string_view CellCharacters(std::string_view text) {
    std::int64_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && ++characters > kMaxFieldCharacters)
            return text.substr(0, i);
    return text;
}

void CsvParser::append(char c) {
    ++length_;
    if (c != ' ' && c != '\t') blank_ = false;
    if (!wanted_) return;
    // Count characters by their first byte; stop keeping at the cell's limit.
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++characters_;
    if (characters_ <= kMaxFieldCharacters) text_ += c;
}

void CsvParser::endField() {
    sink_(record_, field_, text_, blank_);
    text_.clear();
    length_ = 0;
    characters_ = 0;
    blank_ = true;
    ++field_;
    wanted_ = reach_.contains(record_, field_);
}

void CsvParser::endRecord() {
    endField();
    ++record_;
    field_ = 1;
    wanted_ = reach_.contains(record_, field_);
}

}  // namespace tavelmark::files
