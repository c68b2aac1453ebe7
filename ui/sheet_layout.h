#pragma once
// Where the rows and columns of a report sheet fall on the screen or page,
// in pixels at a given resolution.
#include <vector>

#include <QPoint>
#include <QRect>
#include <QSize>

#include "model/workbook.h"

namespace tavelmark::ui {

class SheetLayout {
public:
    // Lays out at least the used cells and the charts, and then as many more
    // rows and columns as it takes to cover `cover` (a window's visible area).
    SheetLayout(const model::Sheet& sheet, double dotsPerInchX, double dotsPerInchY, QSize cover = {});

    double dotsPerInchX() const { return dpiX_; }
    double dotsPerInchY() const { return dpiY_; }
    int lastRow() const { return static_cast<int>(rowTops_.size()) - 1; }
    int lastColumn() const { return static_cast<int>(columnLefts_.size()) - 1; }
    // What shows on paper: the cells with a value or a rule, and the charts
    // (a format alone, such as an alignment set on whole columns, shows nothing).
    QSize contentSize() const { return content_; }
    QSize size() const { return {columnLefts_.back(), rowTops_.back()}; }

    QRect cellRect(model::CellRef cell) const;
    QRect rangeRect(const model::RangeRef& range) const;
    // Chart shapes are placed in points from the sheet's top-left corner.
    QRect chartRect(const model::Chart& chart) const;
    // The first row that starts at or below y (lastRow() + 1 past the end).
    int rowStartingAtOrBelow(int y) const;
    // The row that holds y (the first or the last row beyond the ends).
    int rowAt(int y) const;
    int rowTop(int row) const;
    // The column that holds x, and the cell under a point (the first or the
    // last row or column beyond the ends).
    int columnAt(int x) const;
    model::CellRef cellAt(QPoint point) const;

private:
    void addColumns(const model::Sheet& sheet, int through);
    void addRows(const model::Sheet& sheet, int through);
    int columnRight(int column) const;

    double dpiX_, dpiY_;
    // columnLefts_[c] is the left edge of column c + 1 (index 0 = column 1),
    // with one more entry for the right edge of the last column; rows alike.
    std::vector<int> columnLefts_{0};
    std::vector<int> rowTops_{0};
    QSize content_;
};

// The font size the spreadsheet sizes `row` by: the largest used in it. A
// row of wrapped text is that many lines high (model::RowLineCount).
double RowFontPoints(const model::Sheet& sheet, int row);

}  // namespace tavelmark::ui
