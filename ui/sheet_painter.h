#pragma once
// Paints a report sheet as the spreadsheet shows it: the background picture,
// cell texts with their fonts, colours and alignment (text runs on over empty
// neighbours, centre across selection, merged blocks, wrapped text on lines
// within its cell), superscripts and the bottom rules. Charts are widgets of
// their own (chart_builder.h).
#include <optional>

#include <QPixmap>
#include <QRect>

#include "model/workbook.h"
#include "ui/sheet_layout.h"

class QPainter;

namespace tavelmark::ui {

struct SheetPaintOptions {
    QPixmap background;        // tiled under the cells; null for plain white
    bool showSelection = true; // the cursor or the user's selection (not on paper)
    // The user's selection, drawn as a spreadsheet draws it: the block tinted
    // but for its active cell, and a heavy frame around it. Without one the
    // frame of the sheet's own selected cell shows.
    std::optional<model::RangeRef> selectedRange;
    model::CellRef activeCell;
};

// Paints the cells that meet `area` (layout pixels).
void PaintSheet(QPainter& painter, const model::Sheet& sheet, const SheetLayout& layout,
                const SheetPaintOptions& options, const QRect& area);

}  // namespace tavelmark::ui
