#include "ui/grid_item_delegate.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "ui/cell_text.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"

namespace tavelmark::ui {

GridItemDelegate::GridItemDelegate(GridView& view) : QStyledItemDelegate(&view), view_(view) {}

QWidget* GridItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                        const QModelIndex& index) const {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    view_.openEditor_ = editor;
    editor->setFont(index.data(Qt::FontRole).value<QFont>());
    const auto alignment = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
    editor->setAlignment((alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter);
    return editor;
}

void GridItemDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* line = static_cast<QLineEdit*>(editor);
    // Typing into a cell replaces its content, as in a spreadsheet; F2 or a
    // double click edits what is there, in full precision.
    line->setText(view_.clearEditorOnOpen() ? QString() : index.data(Qt::EditRole).toString());
}

void GridItemDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                    const QModelIndex& index) const {
    const auto* line = static_cast<QLineEdit*>(editor);
    const model::CellRef cell = view_.gridModel()->cellAt(index);
    view_.commitCells({{cell, CellValueFromText(line->text())}}, QStringLiteral("键入"));
}

void GridItemDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                            const QModelIndex&) const {
    editor->setGeometry(option.rect.adjusted(1, 1, -1, -1));
}

void GridItemDelegate::initStyleOption(QStyleOptionViewItem* option,
                                       const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    // The view frames the active cell itself; no dotted focus rectangle.
    option->state &= ~QStyle::State_HasFocus;
}

bool GridItemDelegate::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor && view_.editorKeyPress(editor, static_cast<QKeyEvent*>(event))) return true;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

}  // namespace tavelmark::ui

#include "moc_grid_item_delegate.cpp"
