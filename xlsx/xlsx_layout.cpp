#include "xlsx/xlsx_layout.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <variant>

#include "model/wrapped_text.h"

namespace tavelmark::xlsx {

using model::CellRef, model::Sheet;

namespace {
constexpr int kMaxDigitWidth = 7;  // pixels of a digit of the standard font
constexpr int kCellPadding = 5;
constexpr int kMaxSheetRows = 1048576;
constexpr int kMaxSheetColumns = 16384;
// The tallest row a spreadsheet file may hold, in points.
constexpr double kLargestRowPoints = 409;
}  // namespace

int ColumnWidthPixels(double characters) {
    if (!(characters > 0)) return 0;
    if (characters < 1)
        return static_cast<int>(characters * (kMaxDigitWidth + kCellPadding) + 0.5);
    return static_cast<int>(characters * kMaxDigitWidth + 0.5) + kCellPadding;
}

int PointsToPixels(double points) {
    return static_cast<int>(std::lround(points * kPixelsPerPoint));
}

double RowHeightForFont(double fontSize) {
    const double pixels = std::round(fontSize * kPixelsPerPoint * 1.275);
    return pixels / kPixelsPerPoint;
}

double RowHeights::height(int row) const {
    auto it = explicitHeights.find(row);
    return it == explicitHeights.end() ? defaultHeight : it->second;
}

RowHeights SheetRowHeights(const Sheet& sheet) {
    const auto& cells = sheet.cells();
    RowHeights heights;
    const double defaultSize = cells.defaultFormat().font.size;
    heights.defaultHeight = RowHeightForFont(defaultSize);

    // The largest font of each row, over written cells and formatted empty ones.
    std::map<int, double> largest;
    auto consider = [&](CellRef c) {
        const double size = sheet.format(c).font.size;
        if (size > defaultSize) {
            double& current = largest[c.row];
            current = std::max(current, size);
        }
    };
    for (const auto& [c, value] : cells.values()) consider(c);
    for (const auto& [c, format] : cells.cellFormats()) consider(c);
    for (const auto& block : cells.rangeFormats()) {
        if (block.format.font.size <= defaultSize) continue;
        for (int row = block.range.first.row; row <= block.range.last.row; ++row)
            for (int col = block.range.first.column; col <= block.range.last.column; ++col)
                consider({row, col});
    }
    for (const auto& [row, size] : largest) heights.explicitHeights[row] = RowHeightForFont(size);
    // A spreadsheet grows a row for its wrapped text only when it edits the
    // row itself; the file says how high each is, a line per line.
    std::set<int> rows;
    for (const auto& [c, value] : cells.values())
        if (sheet.format(c).wrapText) rows.insert(c.row);
    for (const int row : rows)
        if (const int lines = model::RowLineCount(sheet, row); lines > 1) {
            const auto size = largest.find(row);
            heights.explicitHeights[row] = std::min(
                kLargestRowPoints, lines * model::WrappedLinePoints(size == largest.end() ? defaultSize : size->second));
        }
    return heights;
}

SheetAnchor AnchorAt(const Sheet& sheet, const RowHeights& rows, double leftPoints, double topPoints) {
    SheetAnchor anchor;
    int x = std::max(0, PointsToPixels(leftPoints));
    while (anchor.column < kMaxSheetColumns) {
        const int width = ColumnWidthPixels(sheet.columnWidth(anchor.column));
        if (x < width) break;
        x -= width;
        ++anchor.column;
    }
    anchor.xOffsetPixels = x;

    int y = std::max(0, PointsToPixels(topPoints));
    while (anchor.row < kMaxSheetRows) {
        const int height = PointsToPixels(rows.height(anchor.row));
        if (y < height) break;
        y -= height;
        ++anchor.row;
    }
    anchor.yOffsetPixels = y;
    return anchor;
}

}  // namespace tavelmark::xlsx
