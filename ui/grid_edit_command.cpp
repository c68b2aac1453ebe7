#include "ui/grid_edit_command.h"

namespace tavelmark::ui {

GridEditCommand::GridEditCommand(GridModel& model, std::vector<CellChange> newValues,
                                 const QString& text)
    : QUndoCommand(text), model_(model), newValues_(std::move(newValues)) {
    oldValues_.reserve(newValues_.size());
    for (const auto& [cell, value] : newValues_)
        oldValues_.emplace_back(cell, model_.sheet().value(cell));
}

GridEditCommand::GridEditCommand(GridModel& model, std::vector<CellChange> oldValues,
                                 std::vector<CellChange> newValues, const QString& text)
    : QUndoCommand(text), model_(model), newValues_(std::move(newValues)), oldValues_(std::move(oldValues)) {}

void GridEditCommand::redo() {
    for (const auto& [cell, value] : newValues_) model_.writeCell(cell, value);
    model_.grid().notifyChanged();
}

void GridEditCommand::undo() {
    for (auto it = oldValues_.rbegin(); it != oldValues_.rend(); ++it)
        model_.writeCell(it->first, it->second);
    model_.grid().notifyChanged();
}

}  // namespace tavelmark::ui
