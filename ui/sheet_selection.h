#pragma once
// The block of cells the user has selected in a result sheet, as a
// spreadsheet keeps it: the active cell where the selection began (it stays
// clear when the block is drawn) and the far corner that the mouse or
// Shift+arrows move. A merged block is never cut: the selection grows to hold
// every merge it touches.
#include <vector>

#include "model/cell_ref.h"

namespace tavelmark::ui {

struct SheetSelection {
    model::CellRef active;
    model::CellRef end;
};

// The rows and columns the selection may reach.
struct SheetBounds {
    int lastRow = 1;
    int lastColumn = 1;
};

// The rectangle between the active cell and the far corner, grown until no
// merge is cut.
model::RangeRef SelectedRange(const SheetSelection& selection, const std::vector<model::RangeRef>& merges);

// One step of an arrow key. With `extend` (Shift) the far corner moves and the
// active cell stays; without, the active cell moves and the block shrinks to
// it, and a step into a merge lands on the merge's first cell. A step out of a
// merge leaves it by its far edge; the edges of `bounds` stop a step.
SheetSelection SteppedSelection(const SheetSelection& selection, int rowStep, int columnStep, bool extend,
                                const std::vector<model::RangeRef>& merges, SheetBounds bounds);

}  // namespace tavelmark::ui
