#include "ui/sheet_layout.h"

#include <algorithm>
#include <cmath>

#include "model/wrapped_text.h"
#include "ui/sheet_metrics.h"

namespace tavelmark::ui {

using model::BorderWeight, model::CellRef, model::Chart, model::RangeRef, model::Sheet,
    model::kMaxColumns, model::kMaxRows;

double RowFontPoints(const Sheet& sheet, int row) {
    const auto& cells = sheet.cells();
    double largest = cells.defaultFormat().font.size;
    for (const auto& [column, format] : cells.columnFormats())
        largest = std::max(largest, format.font.size);
    // Cells are ordered by row, so only this row's entries are visited.
    const auto& own = cells.cellFormats();
    for (auto it = own.lower_bound(CellRef{row, 1}); it != own.end() && it->first.row == row; ++it)
        largest = std::max(largest, it->second.font.size);
    for (const auto& block : cells.rangeFormats())
        if (block.range.first.row <= row && row <= block.range.last.row)
            largest = std::max(largest, block.format.font.size);
    return largest;
}

namespace {

CellRef ShownExtent(const Sheet& sheet) {
    CellRef extent{1, 1};
    auto widen = [&extent](CellRef c) {
        extent.row = std::max(extent.row, c.row);
        extent.column = std::max(extent.column, c.column);
    };
    for (const auto& [cell, value] : sheet.cells().values())
        if (!std::holds_alternative<std::monostate>(value)) widen(cell);
    for (const auto& [cell, format] : sheet.cells().cellFormats())
        if (format.bottomBorder != BorderWeight::None) widen(cell);
    for (const auto& block : sheet.cells().rangeFormats())
        if (block.format.bottomBorder != BorderWeight::None) widen(block.range.last);
    return extent;
}

}  // namespace

SheetLayout::SheetLayout(const Sheet& sheet, double dotsPerInchX, double dotsPerInchY,
                         QSize cover)
    : dpiX_(dotsPerInchX), dpiY_(dotsPerInchY) {
    const CellRef used = sheet.usedExtent();
    addColumns(sheet, used.column);
    addRows(sheet, used.row);
    const QRect shown = rangeRect({{1, 1}, ShownExtent(sheet)});
    int width = shown.right() + 1;
    int height = shown.bottom() + 1;
    for (const Chart& chart : sheet.charts()) {
        const QRect place = chartRect(chart);
        width = std::max(width, place.right() + 1);
        height = std::max(height, place.bottom() + 1);
    }
    content_ = {width, height};
    // Rows and columns under the charts, then under the cover.
    width = std::max(width, cover.width());
    height = std::max(height, cover.height());
    while (columnLefts_.back() < width && lastColumn() < kMaxColumns)
        addColumns(sheet, lastColumn() + 1);
    while (rowTops_.back() < height && lastRow() < kMaxRows) addRows(sheet, lastRow() + 1);
}

void SheetLayout::addColumns(const Sheet& sheet, int through) {
    for (int c = lastColumn() + 1; c <= through; ++c)
        columnLefts_.push_back(columnLefts_.back() + ColumnWidthPixels(sheet.columnWidth(c), dpiX_));
}

// A row of wrapped text is as many lines high as its tallest text takes.
void SheetLayout::addRows(const Sheet& sheet, int through) {
    for (int r = lastRow() + 1; r <= through; ++r)
        rowTops_.push_back(rowTops_.back() +
                           model::RowLineCount(sheet, r) * RowHeightPixels(RowFontPoints(sheet, r), dpiY_));
}

int SheetLayout::rowTop(int row) const {
    return rowTops_[static_cast<std::size_t>(std::clamp(row - 1, 0, lastRow()))];
}

int SheetLayout::columnRight(int column) const {
    return columnLefts_[static_cast<std::size_t>(std::clamp(column, 0, lastColumn()))];
}

QRect SheetLayout::cellRect(CellRef cell) const { return rangeRect(RangeRef::cell(cell)); }

QRect SheetLayout::rangeRect(const RangeRef& range) const {
    const int left = columnRight(range.first.column - 1);
    const int right = columnRight(range.last.column);
    const int top = rowTop(range.first.row);
    const int bottom = rowTops_[static_cast<std::size_t>(std::clamp(range.last.row, 0, lastRow()))];
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QRect SheetLayout::chartRect(const Chart& chart) const {
    auto x = [this](double points) { return static_cast<int>(std::lround(points / 72.0 * dpiX_)); };
    auto y = [this](double points) { return static_cast<int>(std::lround(points / 72.0 * dpiY_)); };
    return QRect(x(chart.left), y(chart.top), x(chart.width), y(chart.height));
}

int SheetLayout::rowStartingAtOrBelow(int y) const {
    const auto it = std::lower_bound(rowTops_.begin(), rowTops_.end() - 1, y);
    return static_cast<int>(it - rowTops_.begin()) + 1;
}

int SheetLayout::rowAt(int y) const {
    return std::clamp(rowStartingAtOrBelow(y + 1) - 1, 1, std::max(1, lastRow()));
}

int SheetLayout::columnAt(int x) const {
    const auto it = std::upper_bound(columnLefts_.begin(), columnLefts_.end() - 1, x);
    return std::clamp(static_cast<int>(it - columnLefts_.begin()), 1, std::max(1, lastColumn()));
}

CellRef SheetLayout::cellAt(QPoint point) const { return {rowAt(point.y()), columnAt(point.x())}; }

}  // namespace tavelmark::ui
