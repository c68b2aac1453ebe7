#pragma once
// One undoable change of grid cells: a typed entry, a paste, a cell emptied
// by the key filter, or a change a calculation made (an outlier deleted).
#include <utility>
#include <vector>

#include <QUndoCommand>

#include "model/cell_value.h"
#include "ui/grid_model.h"

namespace tavelmark::ui {

class GridEditCommand : public QUndoCommand {
public:
    using CellChange = std::pair<model::CellRef, model::CellValue>;
    // Remembers the cells' present values for undo.
    GridEditCommand(GridModel& model, std::vector<CellChange> newValues, const QString& text);
    // A change already made: the cells held `oldValues` before it.
    GridEditCommand(GridModel& model, std::vector<CellChange> oldValues, std::vector<CellChange> newValues,
                    const QString& text);

    void redo() override;
    void undo() override;

private:
    GridModel& model_;
    std::vector<CellChange> newValues_;
    std::vector<CellChange> oldValues_;
};

}  // namespace tavelmark::ui
