#include "ui/grid_model.h"

#include <cmath>

#include <QColor>

#include "format/number_format.h"
#include "ui/cell_text.h"
#include "ui/qt_text.h"
#include "ui/sheet_metrics.h"

namespace tavelmark::ui {

using model::AsNumber, model::CellRef, model::CellValue, model::GridCellFormat, model::HAlign,
    model::InputGrid, model::IsNumber, model::PaletteColour, model::RangeRef, model::VAlign;
namespace {

Qt::Alignment AlignmentOf(const GridCellFormat& format, const CellValue& value) {
    Qt::Alignment horizontal = Qt::AlignLeft;
    switch (format.horizontal) {
        case HAlign::General:
            horizontal = IsNumber(value) ? Qt::AlignRight : Qt::AlignLeft;
            break;
        case HAlign::Left: horizontal = Qt::AlignLeft; break;
        case HAlign::Center:
        case HAlign::CenterAcrossSelection: horizontal = Qt::AlignHCenter; break;
        case HAlign::Right: horizontal = Qt::AlignRight; break;
    }
    Qt::Alignment vertical = Qt::AlignBottom;
    switch (format.vertical) {
        case VAlign::Bottom: vertical = Qt::AlignBottom; break;
        case VAlign::Center: vertical = Qt::AlignVCenter; break;
        case VAlign::Top: vertical = Qt::AlignTop; break;
    }
    return horizontal | vertical;
}

}  // namespace

GridModel::GridModel(InputGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), viewable_(grid.activeSheet().viewableRange()) {}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : viewable_.rowCount();
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : viewable_.columnCount();
}

CellRef GridModel::cellAt(const QModelIndex& index) const {
    return {viewable_.first.row + index.row(), viewable_.first.column + index.column()};
}

QModelIndex GridModel::indexOf(CellRef cell) const {
    if (!viewable_.contains(cell)) return {};
    return index(cell.row - viewable_.first.row, cell.column - viewable_.first.column);
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
    const CellRef cell = cellAt(index);
    const CellValue& value = sheet().value(cell);
    const GridCellFormat& format = sheet().format(cell);
    switch (role) {
        case Qt::DisplayRole:
            // The number format only changes what is shown; the cell keeps its double.
            if (const auto number = AsNumber(value))
                return ToQString(format::FormatNumber(*number, format.numberFormat));
            return CellEditText(value);
        case Qt::EditRole:
            return CellEditText(value);
        case Qt::FontRole:
            return SheetFont(format.fontName, format.fontSize);
        case Qt::TextAlignmentRole:
            return static_cast<int>(AlignmentOf(format, value));
        case Qt::ToolTipRole:
            return {};
        case BoxColourRole:
            if (format.boxColourIndex > 0) return ToQColor(PaletteColour(format.boxColourIndex));
            return {};
        default:
            return {};
    }
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid)) return false;
    CellValue cell;
    // A double given directly is a number only when it is finite; an infinity
    // or NaN stays the text it prints as, like the typed "inf".
    if (value.typeId() == QMetaType::Double && std::isfinite(value.toDouble()))
        cell = value.toDouble();
    else if (value.isValid())
        cell = CellValueFromText(value.toString());
    writeCell(cellAt(index), std::move(cell));
    return true;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void GridModel::writeCell(CellRef cell, CellValue value) {
    grid_.setValue(cell, std::move(value));
    if (const QModelIndex at = indexOf(cell); at.isValid()) emit dataChanged(at, at);
}

void GridModel::reload() {
    const RangeRef now = grid_.activeSheet().viewableRange();
    if (!(now == viewable_)) {
        beginResetModel();
        viewable_ = now;
        endResetModel();
        return;
    }
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

}  // namespace tavelmark::ui

#include "moc_grid_model.cpp"
