#include "ui/sheet_selection.h"

#include <algorithm>

namespace tavelmark::ui {

using model::CellRef, model::RangeRef;
namespace {

const RangeRef* MergeAround(const std::vector<RangeRef>& merges, CellRef cell) {
    for (const RangeRef& merge : merges)
        if (merge.contains(cell)) return &merge;
    return nullptr;
}

bool Overlap(const RangeRef& a, const RangeRef& b) {
    return a.first.row <= b.last.row && b.first.row <= a.last.row && a.first.column <= b.last.column &&
           b.first.column <= a.last.column;
}

}  // namespace

RangeRef SelectedRange(const SheetSelection& selection, const std::vector<RangeRef>& merges) {
    RangeRef range{{std::min(selection.active.row, selection.end.row),
                    std::min(selection.active.column, selection.end.column)},
                   {std::max(selection.active.row, selection.end.row),
                    std::max(selection.active.column, selection.end.column)}};
    // Each merge that sticks out widens the block, which may then meet another.
    for (bool grew = true; grew;) {
        grew = false;
        for (const RangeRef& merge : merges) {
            if (!Overlap(range, merge)) continue;
            const RangeRef wider{{std::min(range.first.row, merge.first.row),
                                  std::min(range.first.column, merge.first.column)},
                                 {std::max(range.last.row, merge.last.row),
                                  std::max(range.last.column, merge.last.column)}};
            if (!(wider == range)) {
                range = wider;
                grew = true;
            }
        }
    }
    return range;
}

SheetSelection SteppedSelection(const SheetSelection& selection, int rowStep, int columnStep, bool extend,
                                const std::vector<RangeRef>& merges, SheetBounds bounds) {
    CellRef from = extend ? selection.end : selection.active;
    if (const RangeRef* merge = MergeAround(merges, from)) {
        if (rowStep > 0) from.row = merge->last.row;
        if (rowStep < 0) from.row = merge->first.row;
        if (columnStep > 0) from.column = merge->last.column;
        if (columnStep < 0) from.column = merge->first.column;
    }
    CellRef to{std::clamp(from.row + rowStep, 1, std::max(1, bounds.lastRow)),
               std::clamp(from.column + columnStep, 1, std::max(1, bounds.lastColumn))};
    if (extend) return {selection.active, to};
    if (const RangeRef* merge = MergeAround(merges, to)) to = merge->first;
    return {to, to};
}

}  // namespace tavelmark::ui
