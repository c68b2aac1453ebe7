#pragma once
// The input grid of a data-entry window: a small workbook the user types into.
// The menu command writes its template through this interface, the calculate
// command reads it; the desktop program shows it through ui/GridView.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/cell_ref.h"
#include "model/cell_store.h"
#include "model/cell_value.h"
#include "model/column_widths.h"

namespace tavelmark::model {

struct GridCellFormat {
    std::string numberFormat = "General";
    std::string fontName = "宋体";
    double fontSize = 11;
    HAlign horizontal = HAlign::General;
    VAlign vertical = VAlign::Bottom;
    // Thin continuous lines around the cell in the colour of the given palette
    // index (5 is blue); 0 means no box.
    int boxColourIndex = 0;
    bool operator==(const GridCellFormat&) const = default;
};

// Width of one column in the spreadsheet's character units.
inline constexpr double kDefaultGridColumnWidth = 8.43;
// Stored templates give widths in points; this is the spreadsheet's own
// conversion for its standard font (7 pixels a character plus 5 of padding,
// 0.75 points a pixel).
double PointsToCharacterWidth(double points);

class GridSheet {
public:
    explicit GridSheet(std::string name, bool hidden = false)
        : name_(std::move(name)), hidden_(hidden) {}

    const std::string& name() const { return name_; }
    // The stored design of a window names its sheet ("CalInput").
    void rename(std::string name) { name_ = std::move(name); }
    bool hidden() const { return hidden_; }

    const CellValue& value(CellRef c) const { return cells_.value(c); }
    const CellValue& value(std::string_view a1) const { return value(Cell(a1)); }
    void setValue(CellRef c, CellValue v) { cells_.setValue(c, std::move(v)); }
    void setValue(std::string_view a1, CellValue v) { setValue(Cell(a1), std::move(v)); }
    void clearContents(const RangeRef& r) { cells_.clearValues(r); }
    // Cut the values of a block and paste them with their top-left cell at
    // destination; the formats stay where they are, so the blue boxes of a
    // template survive a move.
    void moveRange(const RangeRef& source, CellRef destination) {
        cells_.moveValues(source, destination);
    }
    // The row of the nearest non-empty cell at or above fromRow in the column
    // (the spreadsheet's End(xlUp)); 1 when the column is empty down there.
    int lastUsedRowUp(int column, int fromRow) const;

    const GridCellFormat& format(CellRef c) const { return cells_.format(c); }
    void setNumberFormat(const RangeRef& r, const std::string& format);
    void setFontSize(const RangeRef& r, double size);
    void setFontName(const RangeRef& r, const std::string& name);
    void setHorizontalAlignment(const RangeRef& r, HAlign a);
    void setVerticalAlignment(const RangeRef& r, VAlign a);
    void setBoxBorders(const RangeRef& r, int colourIndex);

    double columnWidth(int column) const { return widths_.width(column); }
    void setColumnWidth(int column, double characters) { widths_.set(column, characters); }
    void setColumnWidths(const RangeRef& columns, double characters) {
        for (int c = columns.first.column; c <= columns.last.column; ++c) widths_.set(c, characters);
    }

    // The area the user can reach; the grid view shows exactly this.
    const RangeRef& viewableRange() const { return viewable_; }
    void setViewableRange(const RangeRef& r) { viewable_ = r; }

    bool gridlines() const { return gridlines_; }
    void setGridlines(bool on) { gridlines_ = on; }

    const CellStore<CellValue, GridCellFormat>& cells() const { return cells_; }

private:
    std::string name_;
    bool hidden_ = false;
    bool gridlines_ = false;
    RangeRef viewable_{{1, 1}, {20, 10}};
    CellStore<CellValue, GridCellFormat> cells_;
    ColumnWidths widths_{kDefaultGridColumnWidth};
};

class InputGrid {
public:
    InputGrid();  // one visible sheet "Sheet1"

    GridSheet& activeSheet() { return sheets_[active_]; }
    const GridSheet& activeSheet() const { return sheets_[active_]; }
    // A sheet by name, compared without regard to case; nullptr when absent.
    GridSheet* sheet(std::string_view name);
    const GridSheet* sheet(std::string_view name) const;
    GridSheet& addSheet(std::string name, bool hidden);
    const std::vector<GridSheet>& sheets() const { return sheets_; }
    // Back to one empty visible sheet "Sheet1" (a window created anew).
    void reset();

    // Shorthands on the active sheet.
    const CellValue& value(CellRef c) const { return activeSheet().value(c); }
    const CellValue& value(std::string_view a1) const { return activeSheet().value(a1); }
    void setValue(CellRef c, CellValue v);
    void setValue(std::string_view a1, CellValue v) { setValue(Cell(a1), std::move(v)); }

    // Selection on the active sheet; the active cell is the selection's first cell
    // unless moved inside it.
    const RangeRef& selection() const { return selection_; }
    CellRef activeCell() const { return activeCell_; }
    void select(const RangeRef& r);
    void select(std::string_view a1) { select(Range(a1)); }
    void setActiveCell(CellRef c);

    // Called after every change made through the program (template writing,
    // clearing, moving, selecting) so a view can refresh itself. The view's own
    // edits call notifyChanged() too.
    void setChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }
    void notifyChanged() const {
        if (listener_) listener_();
    }

private:
    std::vector<GridSheet> sheets_;
    std::size_t active_ = 0;
    RangeRef selection_{{1, 1}, {1, 1}};
    CellRef activeCell_{1, 1};
    std::function<void()> listener_;
};

}  // namespace tavelmark::model
