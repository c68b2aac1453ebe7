#pragma once
// The table model of a data-entry grid: the viewable range of the input
// grid's active sheet, one model row per sheet row.
#include <QAbstractTableModel>

#include "model/input_grid.h"

namespace tavelmark::ui {

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The colour of the cell's box (QColor), or nothing when it has none.
    static constexpr int BoxColourRole = Qt::UserRole + 1;

    explicit GridModel(model::InputGrid& grid, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // Edit role: a double is a number; text is read as the user typed it.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    model::InputGrid& grid() { return grid_; }
    const model::GridSheet& sheet() const { return grid_.activeSheet(); }
    model::RangeRef viewableRange() const { return viewable_; }

    model::CellRef cellAt(const QModelIndex& index) const;
    QModelIndex indexOf(model::CellRef cell) const;  // invalid outside the viewable range

    // Writes one cell and tells the views.
    void writeCell(model::CellRef cell, model::CellValue value);

    // Reads the grid again after the program changed it: a new viewable
    // range resets the model, otherwise every cell is reported changed.
    void reload();

private:
    model::InputGrid& grid_;
    model::RangeRef viewable_;
};

}  // namespace tavelmark::ui
