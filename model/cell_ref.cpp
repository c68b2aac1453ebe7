#include "model/cell_ref.h"

#include <cctype>
#include <stdexcept>

namespace tavelmark::model {

namespace {

// Splits "$B$12" into its letters and digits; both may be empty.
struct Parts {
    std::string_view letters;
    std::string_view digits;
};

std::optional<Parts> Split(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && text[i] == '$') ++i;
    const std::size_t lettersStart = i;
    while (i < text.size() && std::isalpha(static_cast<unsigned char>(text[i]))) ++i;
    Parts p{text.substr(lettersStart, i - lettersStart), {}};
    if (i < text.size() && text[i] == '$') ++i;
    const std::size_t digitsStart = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
    if (i != text.size()) return std::nullopt;
    p.digits = text.substr(digitsStart);
    return p;
}

std::optional<int> ParseRow(std::string_view digits) {
    if (digits.empty() || digits.size() > 6 || digits[0] == '0') return std::nullopt;
    int row = 0;
    for (char d : digits) row = row * 10 + (d - '0');
    if (row > kMaxRows) return std::nullopt;
    return row;
}

}  // namespace

std::optional<int> ParseColumnName(std::string_view letters) {
    if (letters.empty() || letters.size() > 3) return std::nullopt;
    int column = 0;
    for (char ch : letters) {
        const int c = std::toupper(static_cast<unsigned char>(ch));
        if (c < 'A' || c > 'Z') return std::nullopt;
        column = column * 26 + (c - 'A' + 1);
    }
    if (column > kMaxColumns) return std::nullopt;
    return column;
}

std::string ColumnName(int column) {
    std::string name;
    while (column > 0) {
        const int rest = (column - 1) % 26;
        name.insert(name.begin(), static_cast<char>('A' + rest));
        column = (column - 1) / 26;
    }
    return name;
}

std::optional<CellRef> ParseCell(std::string_view a1) {
    auto parts = Split(a1);
    if (!parts) return std::nullopt;
    auto column = ParseColumnName(parts->letters);
    auto row = ParseRow(parts->digits);
    if (!column || !row) return std::nullopt;
    return CellRef{*row, *column};
}

std::optional<RangeRef> ParseRange(std::string_view a1) {
    const auto colon = a1.find(':');
    if (colon == std::string_view::npos) {
        auto c = ParseCell(a1);
        if (!c) return std::nullopt;
        return RangeRef{*c, *c};
    }
    const auto left = a1.substr(0, colon);
    const auto right = a1.substr(colon + 1);
    auto l = Split(left);
    auto r = Split(right);
    if (!l || !r) return std::nullopt;
    RangeRef range;
    if (l->digits.empty() && r->digits.empty()) {  // whole columns "B:C"
        auto c1 = ParseColumnName(l->letters);
        auto c2 = ParseColumnName(r->letters);
        if (!c1 || !c2) return std::nullopt;
        range = RangeRef::columns(*c1, *c2);
    } else {
        auto c1 = ParseCell(left);
        auto c2 = ParseCell(right);
        if (!c1 || !c2) return std::nullopt;
        range = {*c1, *c2};
    }
    if (range.first.row > range.last.row) std::swap(range.first.row, range.last.row);
    if (range.first.column > range.last.column) std::swap(range.first.column, range.last.column);
    return range;
}

RangeRef Range(std::string_view a1) {
    auto r = ParseRange(a1);
    if (!r) throw std::invalid_argument("not a range: " + std::string(a1));
    return *r;
}

CellRef Cell(std::string_view a1) {
    auto c = ParseCell(a1);
    if (!c) throw std::invalid_argument("not a cell: " + std::string(a1));
    return *c;
}

std::string CellName(CellRef c) { return ColumnName(c.column) + std::to_string(c.row); }

std::string RangeName(RangeRef r) {
    if (r.isWholeColumns()) return ColumnName(r.first.column) + ":" + ColumnName(r.last.column);
    if (r.first == r.last) return CellName(r.first);
    return CellName(r.first) + ":" + CellName(r.last);
}

}  // namespace tavelmark::model
