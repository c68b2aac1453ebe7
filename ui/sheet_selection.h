#pragma once
// The block of cells the user has selected in a result sheet, as a
// spreadsheet keeps it: the anchor where the selection began and the active
// cell where it ends now. A merged block is never cut: the selection grows to
// hold every merge it touches.
#include <vector>

#include "model/cell_ref.h"

namespace tavelmark::ui {

struct SheetSelection {
    model::CellRef anchor;
    model::CellRef active;
};

// The rows and columns the selection may reach.
struct SheetBounds {
    int lastRow = 1;
    int lastColumn = 1;
};

// The rectangle between anchor and active, grown until no merge is cut.
model::RangeRef SelectedRange(const SheetSelection& selection, const std::vector<model::RangeRef>& merges);

// One step of an arrow key from the active cell. A step out of a merge leaves
// it by its far edge; without `extend` the anchor follows the active cell and
// a step into a merge lands on its first cell. The edges of `bounds` stop it.
SheetSelection SteppedSelection(const SheetSelection& selection, int rowStep, int columnStep, bool extend,
                                const std::vector<model::RangeRef>& merges, SheetBounds bounds);

}  // namespace tavelmark::ui
