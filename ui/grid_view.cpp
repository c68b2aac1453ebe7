#include "ui/grid_view.h"

#include <algorithm>
#include <map>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QScopedValueRollback>
#include <QStyle>
#include <QUndoStack>

#include "ui/cell_text.h"
#include "ui/grid_edit_command.h"
#include "ui/grid_item_delegate.h"
#include "ui/grid_model.h"
#include "ui/sheet_metrics.h"
#include "ui/virtual_key.h"

namespace tavelmark::ui {

using model::CellRef, model::CellValue, model::GridKeyAccepted, model::GridSheet, model::InputGrid,
    model::RangeRef;
namespace {

// Keys that type nothing by themselves; the filter never sees them, so that
// pressing Ctrl on the way to Ctrl+V does not empty the active cell.
bool IsCommandModifierKey(int key) {
    return key == Qt::Key_Control || key == Qt::Key_Meta || key == Qt::Key_Super_L ||
           key == Qt::Key_Super_R || key == Qt::Key_Hyper_L || key == Qt::Key_Hyper_R;
}

bool HasCommandModifier(const QKeyEvent& event) {
    return event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
}

// Opened rather than executed: the paste has finished, and a nested event
// loop inside the key handler that pasted would gain nothing. The box is
// modal to the window all the same.
void ShowWarningBox(QWidget* parent, const QString& title, const QString& text) {
    auto* box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->open();
}

// The cells data go into: the boxed ones within reach, or every reachable
// cell of a grid that boxes none.
std::vector<CellRef> InputArea(const GridSheet& sheet) {
    const RangeRef view = sheet.viewableRange();
    std::vector<CellRef> boxed, all;
    for (int r = view.first.row; r <= view.last.row; ++r)
        for (int c = view.first.column; c <= view.last.column; ++c) {
            all.push_back({r, c});
            if (sheet.format({r, c}).boxColourIndex != 0) boxed.push_back({r, c});
        }
    return boxed.empty() ? all : boxed;
}

bool IsClearScreen(const QKeyEvent& event) {
    return event.key() == Qt::Key_Delete &&
           (event.modifiers() & ~Qt::KeypadModifier) == (Qt::ControlModifier | Qt::ShiftModifier);
}

}  // namespace

GridView::GridView(InputGrid& grid, QWidget* parent)
    : QTableView(parent),
      grid_(grid),
      model_(new GridModel(grid, this)),
      delegate_(new GridItemDelegate(*this)),
      undoStack_(new QUndoStack(this)),
      beep_([] { QApplication::beep(); }),
      warning_([this](const QString& title, const QString& text) {
          ShowWarningBox(window(), title, text);
      }) {
    qRegisterMetaType<tavelmark::model::CellRef>();
    setModel(model_);
    setItemDelegate(delegate_);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setMinimumSectionSize(1);
    setShowGrid(false);
    // The templates hide the scroll bars and are sized to show their whole
    // range; a bar appears only where a range is longer than its window
    // (the two-group means grid's 300 rows), so no reachable cell is hidden.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setFrameShape(QFrame::NoFrame);
    // A light selection like the spreadsheet's, so the values stay readable.
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Highlight, QColor(200, 220, 245));
    colours.setColor(QPalette::HighlightedText, Qt::black);
    colours.setColor(QPalette::Inactive, QPalette::Highlight, QColor(215, 225, 240));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::black);
    setPalette(colours);

    // The grid may outlive the view or die before it (a window's member grid
    // goes before its child widgets): the listener checks that the view is
    // still there, and the view never touches the grid when it goes.
    grid_.setChangeListener([view = QPointer<GridView>(this)] {
        if (view && !view->writingFromView_) view->refresh();
    });
    refresh();
}

GridView::~GridView() {
    // An open editor losing its focus while the widgets go must not write
    // into a grid that may already be gone.
    destroying_ = true;
}

CellRef GridView::activeCell() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? model_->cellAt(current) : grid_.activeCell();
}

void GridView::refresh() {
    QScopedValueRollback<bool> guard(syncingFromGrid_, true);
    model_->reload();
    applySizes();
    // Lay out now rather than on the next pass of the event loop, so the
    // scroll bars and the geometry are right as soon as the grid is written.
    executeDelayedItemsLayout();
    updateGeometries();
    const RangeRef view = model_->viewableRange();
    const RangeRef wanted = grid_.selection();
    const CellRef first{std::max(wanted.first.row, view.first.row),
                        std::max(wanted.first.column, view.first.column)};
    const CellRef last{std::min(wanted.last.row, view.last.row),
                       std::min(wanted.last.column, view.last.column)};
    selectionModel()->clearSelection();
    if (first.row <= last.row && first.column <= last.column)
        selectionModel()->select(QItemSelection(model_->indexOf(first), model_->indexOf(last)),
                                 QItemSelectionModel::Select);
    const QModelIndex active = model_->indexOf(grid_.activeCell());
    if (active.isValid()) {
        selectionModel()->setCurrentIndex(active, QItemSelectionModel::NoUpdate);
        scrollTo(active);
    }
    viewport()->update();
    updateGeometry();
}

int GridView::widestLabel(int column) const {
    // The item delegate keeps this much room on each side of a text and
    // shortens a longer one to "…".
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    int widest = 0;
    for (int r = 0; r < model_->rowCount(); ++r) {
        const QModelIndex index = model_->index(r, column);
        if (index.data(GridModel::BoxColourRole).isValid()) continue;
        const QString text = index.data(Qt::DisplayRole).toString();
        if (text.isEmpty()) continue;
        const QFontMetrics metrics(index.data(Qt::FontRole).value<QFont>(), this);
        widest = std::max(widest, metrics.horizontalAdvance(text) + 2 * margin);
    }
    return widest;
}

void GridView::applySizes() {
    const GridSheet& sheet = grid_.activeSheet();
    const RangeRef view = model_->viewableRange();
    // The template's widths, made wide enough for the labels outside the
    // entry boxes: the template was sized for a narrower font than this
    // machine may have ("组别" in a column of 3.5 characters).
    for (int c = 0; c < view.columnCount(); ++c) {
        const int width = ColumnWidthPixels(sheet.columnWidth(view.first.column + c), logicalDpiX());
        setColumnWidth(c, width > 0 ? std::max(width, widestLabel(c)) : 0);
    }
    for (int r = 0; r < view.rowCount(); ++r) {
        double largest = 0;
        for (int c = view.first.column; c <= view.last.column; ++c)
            largest = std::max(largest, sheet.format({view.first.row + r, c}).fontSize);
        setRowHeight(r, RowHeightPixels(largest, logicalDpiY()));
    }
}

QSize GridView::sizeHint() const {
    int width = 2 * frameWidth();
    int height = 2 * frameWidth();
    for (int c = 0; c < model_->columnCount(); ++c) width += columnWidth(c);
    for (int r = 0; r < model_->rowCount(); ++r) height += rowHeight(r);
    return {width, height};
}

void GridView::commitPendingEdit() {
    if (state() != QAbstractItemView::EditingState || !openEditor_) return;
    QWidget* editor = openEditor_;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void GridView::commitCells(std::vector<std::pair<CellRef, CellValue>> values,
                           const QString& what) {
    if (destroying_) return;
    // Nothing to undo when nothing changes (an empty cell emptied again).
    std::erase_if(values, [this](const auto& change) {
        return grid_.activeSheet().value(change.first) == change.second;
    });
    if (values.empty()) return;
    QScopedValueRollback<bool> guard(writingFromView_, true);
    undoStack_->push(new GridEditCommand(*model_, std::move(values), what));
}

void GridView::writeCells(std::vector<std::pair<CellRef, CellValue>> values, const QString& what) {
    commitPendingEdit();
    commitCells(std::move(values), what);
    refresh();
}

void GridView::recordChanges(const std::function<void()>& change, const QString& what) {
    commitPendingEdit();
    // The reachable cells' values before and after; a calculation may move a
    // column's values, so the whole range is compared, not one cell.
    auto reachable = [this] {
        const RangeRef view = grid_.activeSheet().viewableRange();
        std::map<CellRef, CellValue> values;
        for (const auto& [cell, value] : grid_.activeSheet().cells().values())
            if (view.contains(cell) && !model::IsEmpty(value)) values.emplace(cell, value);
        return values;
    };
    const std::map<CellRef, CellValue> before = reachable();
    change();
    if (destroying_) return;
    const std::map<CellRef, CellValue> after = reachable();
    if (before == after) return;
    std::vector<std::pair<CellRef, CellValue>> oldValues, newValues;
    auto note = [&](CellRef cell) {
        const auto was = before.find(cell), is = after.find(cell);
        CellValue oldValue = was == before.end() ? CellValue{} : was->second;
        CellValue newValue = is == after.end() ? CellValue{} : is->second;
        if (oldValue == newValue) return;
        oldValues.emplace_back(cell, std::move(oldValue));
        newValues.emplace_back(cell, std::move(newValue));
    };
    for (const auto& entry : before) note(entry.first);
    for (const auto& entry : after)
        if (!before.count(entry.first)) note(entry.first);
    QScopedValueRollback<bool> guard(writingFromView_, true);
    // Pushing redoes the change, which writes the values they already hold.
    undoStack_->push(new GridEditCommand(*model_, std::move(oldValues), std::move(newValues), what));
}

void GridView::clearInputArea() {
    commitPendingEdit();
    const std::vector<CellRef> area = InputArea(grid_.activeSheet());
    if (area.empty()) return;
    std::vector<std::pair<CellRef, CellValue>> empty;
    empty.reserve(area.size());
    for (const CellRef& cell : area) empty.emplace_back(cell, CellValue{});
    commitCells(std::move(empty), QStringLiteral("清屏"));
    grid_.select(RangeRef::cell(area.front()));
    refresh();
}

bool GridView::keyAccepted(const QKeyEvent& event) {
    const int code = VirtualKeyOf(event);
    const CellRef active = activeCell();
    emit keyNotified(code, active);
    if (!keySet_ || GridKeyAccepted(*keySet_, code)) return true;
    if (std::find(textColumns_.begin(), textColumns_.end(), active.column) != textColumns_.end()) return true;
    if (beep_) beep_();
    commitCells({{active, CellValue{}}}, QStringLiteral("清除"));
    return false;
}

bool GridView::handleShortcut(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        paste();
    } else if (event->matches(QKeySequence::Copy)) {
        copy();
    } else if (event->matches(QKeySequence::Undo)) {
        QScopedValueRollback<bool> guard(writingFromView_, true);
        undoStack_->undo();
    } else if (event->matches(QKeySequence::Redo)) {
        QScopedValueRollback<bool> guard(writingFromView_, true);
        undoStack_->redo();
    } else if (IsClearScreen(*event)) {
        clearInputArea();
    } else {
        return false;
    }
    event->accept();
    return true;
}

void GridView::keyPressEvent(QKeyEvent* event) {
    if (handleShortcut(event)) return;
    if (IsCommandModifierKey(event->key()) || HasCommandModifier(*event)) {
        QTableView::keyPressEvent(event);  // Ctrl+Home and the like move; nothing is typed
        return;
    }
    if (!keyAccepted(*event)) {
        event->accept();
        return;
    }
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            moveActive(event->modifiers() & Qt::ShiftModifier ? -1 : 1, 0);
            event->accept();
            return;
        case Qt::Key_Backspace:
            // The spreadsheet empties the cell into a fresh editor.
            edit(currentIndex(), AnyKeyPressed, nullptr);
            event->accept();
            return;
        case Qt::Key_Delete:
            // Reached only when no key filter is set.
            {
                const QRect block = selectedBlock();
                std::vector<std::pair<CellRef, CellValue>> empty;
                for (int r = block.top(); r <= block.bottom(); ++r)
                    for (int c = block.left(); c <= block.right(); ++c)
                        empty.emplace_back(model_->cellAt(model_->index(r, c)), CellValue{});
                commitCells(std::move(empty), QStringLiteral("清除"));
            }
            event->accept();
            return;
        default: {
            QScopedValueRollback<bool> forwarding(forwardingTypedKey_, true);
            QTableView::keyPressEvent(event);
            return;
        }
    }
}

bool GridView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    const bool typing = trigger == AnyKeyPressed;
    if (state() != EditingState) {
        clearEditorOnOpen_ = typing;
        enterMode_ = typing;
    }
    const bool opened = QTableView::edit(index, trigger, event);
    clearEditorOnOpen_ = false;
    return opened;
}

bool GridView::editorKeyPress(QWidget* editor, QKeyEvent* event) {
    if (forwardingTypedKey_) return false;  // the key that opened the editor, already let in
    if (event->matches(QKeySequence::Paste)) {
        const QString text = QApplication::clipboard()->text();
        // A block from a spreadsheet goes into the grid; a bare value into the editor.
        if (!text.contains(u'\t') && !text.contains(u'\n') && !text.contains(u'\r')) return false;
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
        pasteText(text);
        return true;
    }
    if (IsClearScreen(*event)) {
        clearInputArea();  // keeps what was typed in the undo step before it
        return true;
    }
    if (IsCommandModifierKey(event->key()) || HasCommandModifier(*event)) return false;
    if (!keyAccepted(*event)) {
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
        return true;
    }
    int rowStep = 0, columnStep = 0;
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: rowStep = event->modifiers() & Qt::ShiftModifier ? -1 : 1; break;
        case Qt::Key_Tab: columnStep = 1; break;
        case Qt::Key_Backtab: columnStep = -1; break;
        case Qt::Key_Up: rowStep = -1; break;
        case Qt::Key_Down: rowStep = 1; break;
        case Qt::Key_Left:
            if (!enterMode_) return false;
            columnStep = -1;
            break;
        case Qt::Key_Right:
            if (!enterMode_) return false;
            columnStep = 1;
            break;
        default: return false;
    }
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    moveActive(rowStep, columnStep);
    return true;
}

void GridView::moveActive(int rowStep, int columnStep) {
    const QModelIndex current = currentIndex();
    if (!current.isValid() || model_->rowCount() == 0 || model_->columnCount() == 0) return;
    const int row = std::clamp(current.row() + rowStep, 0, model_->rowCount() - 1);
    const int column = std::clamp(current.column() + columnStep, 0, model_->columnCount() - 1);
    const QModelIndex next = model_->index(row, column);
    selectionModel()->setCurrentIndex(next, QItemSelectionModel::ClearAndSelect);
    scrollTo(next);
}

QRect GridView::selectedBlock() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    if (selected.isEmpty()) {
        const QModelIndex current = currentIndex();
        return current.isValid() ? QRect(current.column(), current.row(), 1, 1) : QRect();
    }
    int top = selected.front().row(), bottom = top;
    int left = selected.front().column(), right = left;
    for (const QModelIndex& index : selected) {
        top = std::min(top, index.row());
        bottom = std::max(bottom, index.row());
        left = std::min(left, index.column());
        right = std::max(right, index.column());
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

bool GridView::pasteText(const QString& text) {
    const TextTable rows = ParseTabSeparated(text);
    const RangeRef view = model_->viewableRange();
    const CellRef start = activeCell();
    std::vector<std::pair<CellRef, CellValue>> values;
    CellRef last = start;
    int outside = 0;  // values, not empty fields: a blank beyond the edge loses nothing
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            const CellRef cell{start.row + static_cast<int>(r), start.column + static_cast<int>(c)};
            if (!view.contains(cell)) {
                if (!rows[r][c].trimmed().isEmpty()) ++outside;
                continue;
            }
            values.emplace_back(cell, CellValueFromText(rows[r][c]));
            last.row = std::max(last.row, cell.row);
            last.column = std::max(last.column, cell.column);
        }
    if (!values.empty()) {
        commitCells(std::move(values), QStringLiteral("粘贴"));
        const QModelIndex first = model_->indexOf(start);
        selectionModel()->select(QItemSelection(first, model_->indexOf(last)),
                                 QItemSelectionModel::ClearAndSelect);
        selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    }
    // Told after the grid shows what was pasted, so the user sees where it ended.
    if (outside > 0 && warning_)
        warning_(QStringLiteral("提示！"),
                 QStringLiteral("有 %1 个数据位于表格可录入区域之外，未粘贴").arg(outside));
    return !values.empty();
}

void GridView::paste() { pasteText(QApplication::clipboard()->text()); }

QString GridView::selectionText() const {
    const QRect block = selectedBlock();
    if (!block.isValid()) return {};
    TextTable rows;
    for (int r = block.top(); r <= block.bottom(); ++r) {
        auto& row = rows.emplace_back();
        for (int c = block.left(); c <= block.right(); ++c)
            row.push_back(CellEditText(grid_.activeSheet().value(model_->cellAt(model_->index(r, c)))));
    }
    return ToTabSeparated(rows);
}

void GridView::copy() { QApplication::clipboard()->setText(selectionText()); }

void GridView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copyAction = menu.addAction(QStringLiteral("复制(&C)\tCtrl+C"));
    QAction* pasteAction = menu.addAction(QStringLiteral("粘贴(&P)\tCtrl+V"));
    menu.addSeparator();
    QAction* undoAction = menu.addAction(QStringLiteral("撤消(&U)\tCtrl+Z"));
    menu.addSeparator();
    QAction* clearAction = menu.addAction(QStringLiteral("清屏\tCtrl+Shift+Delete"));
    pasteAction->setEnabled(!QApplication::clipboard()->text().isEmpty());
    undoAction->setEnabled(undoStack_->canUndo());
    if (extendMenu_) {
        menu.addSeparator();
        extendMenu_(menu);
    }
    QAction* chosen = menu.exec(event->globalPos());
    if (chosen == copyAction) {
        copy();
    } else if (chosen == pasteAction) {
        paste();
    } else if (chosen == undoAction) {
        QScopedValueRollback<bool> guard(writingFromView_, true);
        undoStack_->undo();
    } else if (chosen == clearAction) {
        clearInputArea();
    }
}

void GridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    // A new cell goes into editing the spreadsheet way again.
    enterMode_ = false;
    syncSelectionToGrid();
}

void GridView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    QTableView::selectionChanged(selected, deselected);
    syncSelectionToGrid();
}

void GridView::syncSelectionToGrid() {
    if (syncingFromGrid_ || destroying_) return;
    const QRect block = selectedBlock();
    if (!block.isValid()) return;
    const CellRef first = model_->cellAt(model_->index(block.top(), block.left()));
    const CellRef last = model_->cellAt(model_->index(block.bottom(), block.right()));
    grid_.select(RangeRef{first, last});
    if (const QModelIndex current = currentIndex(); current.isValid())
        grid_.setActiveCell(model_->cellAt(current));
}

void GridView::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    QPainter painter(viewport());
    const int rows = model_->rowCount();
    const int columns = model_->columnCount();
    const int firstRow = std::max(0, rowAt(0));
    const int lastRow = rowAt(viewport()->height()) < 0 ? rows - 1 : rowAt(viewport()->height());
    const int firstColumn = std::max(0, columnAt(0));
    const int lastColumn =
        columnAt(viewport()->width()) < 0 ? columns - 1 : columnAt(viewport()->width());
    // Boxes share their edges with the neighbours: each draws one pixel up
    // and left of its own rectangle.
    for (int r = firstRow; r <= lastRow; ++r)
        for (int c = firstColumn; c <= lastColumn; ++c) {
            const QModelIndex index = model_->index(r, c);
            const QVariant colour = index.data(GridModel::BoxColourRole);
            if (!colour.isValid()) continue;
            const QRect cell = visualRect(index);
            painter.setPen(QPen(colour.value<QColor>(), 0));
            painter.drawRect(QRect(cell.left() - 1, cell.top() - 1, cell.width(), cell.height()));
        }
    // The active cell's heavy frame.
    if (const QModelIndex current = currentIndex(); current.isValid() && state() != EditingState) {
        const QRect cell = visualRect(current);
        painter.setPen(QPen(QColor(32, 32, 32), 2));
        painter.drawRect(cell.adjusted(0, 0, -1, -1));
    }
}

}  // namespace tavelmark::ui

#include "moc_grid_view.cpp"
