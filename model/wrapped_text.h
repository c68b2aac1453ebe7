#pragma once
// A text wrapped within its cell. One rule for every renderer, so that the
// result window, the paper and the spreadsheet file give a wrapped row the
// same number of lines: widths are counted in the column-width unit (a digit
// of the standard font), an ideograph counting two, as the spreadsheet
// counts them when it sizes a column.
#include <cstddef>
#include <string_view>
#include <vector>

#include "model/workbook.h"

namespace tavelmark::model {

// How wide a text is in characters of a column's width: an ideograph, kana,
// hangul or full-width form counts two, any other character one.
int TextWidthUnits(std::string_view utf8);

// One line of a wrapped text: its bytes [begin, end), without the spaces at
// the break.
struct TextLine {
    std::size_t begin = 0;
    std::size_t end = 0;
    bool operator==(const TextLine&) const = default;
};

// The lines of a text in a cell `width` characters wide. A line breaks at a
// line feed, after spaces, and before or after an ideograph, but never
// before closing punctuation nor after opening punctuation; a word longer
// than a line is cut where the line is full. Always at least one line.
std::vector<TextLine> WrapText(std::string_view utf8, double width);

// The width a wrapped text has in its cell, in characters of its own font:
// its column's or its merge's columns', narrower for a font larger than the
// standard 11 points.
double WrapWidth(const Sheet& sheet, CellRef cell);

// How many lines a row takes: the most lines of a wrapped text in it (a
// number never wraps), 1 without one.
int RowLineCount(const Sheet& sheet, int row);

// The height of a line of wrapped text in a spreadsheet file, in points: room
// for an ideograph face's ascent and descent, 1.45 times the font size (a
// Latin face needs 1.275), in whole pixels at 96 dpi. A spreadsheet program
// clips a wrapped text at its row's bottom, and the face it finds for the
// ideographs may be taller than the one the report names.
double WrappedLinePoints(double fontPoints);

}  // namespace tavelmark::model
