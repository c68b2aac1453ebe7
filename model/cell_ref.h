#pragma once
// Cell and range addresses in the spreadsheet's A1 convention: rows and
// columns count from 1, column 1 is "A".
#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace tavelmark::model {

// The largest sheet the grid and the workbook address (a classic worksheet).
inline constexpr int kMaxRows = 65536;
inline constexpr int kMaxColumns = 256;

struct CellRef {
    int row = 1;
    int column = 1;
    auto operator<=>(const CellRef&) const = default;
};

struct RangeRef {
    CellRef first;
    CellRef last;
    bool operator==(const RangeRef&) const = default;

    static RangeRef cell(CellRef c) { return {c, c}; }
    static RangeRef columns(int firstColumn, int lastColumn) {
        return {{1, firstColumn}, {kMaxRows, lastColumn}};
    }
    bool contains(CellRef c) const {
        return c.row >= first.row && c.row <= last.row && c.column >= first.column &&
               c.column <= last.column;
    }
    bool isWholeColumns() const { return first.row == 1 && last.row == kMaxRows; }
    int rowCount() const { return last.row - first.row + 1; }
    int columnCount() const { return last.column - first.column + 1; }
};

// "A" -> 1, "AB" -> 28; nullopt for anything that is not a column name.
std::optional<int> ParseColumnName(std::string_view letters);
std::string ColumnName(int column);

// "B2", "b2", "$B$2", "B2:C11", "B:C", "A:A". A range is normalised so that
// first is the top-left corner. nullopt for malformed text.
std::optional<CellRef> ParseCell(std::string_view a1);
std::optional<RangeRef> ParseRange(std::string_view a1);
// Parses and throws std::invalid_argument on malformed text: for addresses
// written in the program itself, where a typo is a programming error.
RangeRef Range(std::string_view a1);
CellRef Cell(std::string_view a1);

std::string CellName(CellRef c);     // "B2"
std::string RangeName(RangeRef r);   // "B2:C11", "B2" for one cell, "B:C" for whole columns

}  // namespace tavelmark::model
