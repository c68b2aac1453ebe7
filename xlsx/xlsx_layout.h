#pragma once
// Sheet geometry as the spreadsheet computes it on a 96 dpi screen: column
// widths in characters and row heights in points turned into pixels, and a
// point position on the sheet turned into a cell plus pixel offsets (how a
// chart placed by left/top points is anchored in the file).
#include <map>
#include <vector>

#include "model/workbook.h"

namespace tavelmark::xlsx {

inline constexpr double kPixelsPerPoint = 96.0 / 72.0;

// A column of `characters` width, counted in digits of the standard font
// (7 pixels each) plus 5 pixels of cell padding; narrower than one
// character the padding shrinks with it (12 pixels per character).
int ColumnWidthPixels(double characters);

// Height of a row whose largest font is `fontSize` points: 1.275 line
// heights, rounded to whole pixels (size 10 -> 12.75 pt, 14 -> 18 pt).
double RowHeightForFont(double fontSize);
int PointsToPixels(double points);

// Row heights of one sheet: the default for rows without a larger font,
// explicit heights (points) for rows that hold one, and for rows of wrapped
// text, as many lines as it takes (model::RowLineCount) of the height
// model::WrappedLinePoints gives a line.
struct RowHeights {
    double defaultHeight = 12.75;
    std::map<int, double> explicitHeights;  // 1-based row -> points
    double height(int row) const;
};
RowHeights SheetRowHeights(const model::Sheet& sheet);

// The cell whose area holds the point (left, top) and the offset of that
// point from the cell's top-left corner, in pixels. Rows and columns are
// 1-based.
struct SheetAnchor {
    int row = 1;
    int column = 1;
    int xOffsetPixels = 0;
    int yOffsetPixels = 0;
};
SheetAnchor AnchorAt(const model::Sheet& sheet, const RowHeights& rows, double leftPoints, double topPoints);

}  // namespace tavelmark::xlsx
