#pragma once
// The input grid on the screen: a table view over the viewable range of an
// InputGrid's active sheet that looks and types like the spreadsheet control
// of a data-entry window. Each key press is first shown to the window's grid
// key filter; Ctrl+C, Ctrl+V, Ctrl+Z, Ctrl+Y and Ctrl+Shift+Delete (清屏) are
// handled before it.
#include <functional>
#include <optional>
#include <vector>

#include <QPointer>
#include <QTableView>

#include "model/input_grid.h"
#include "model/key_filter.h"

class QMenu;
class QUndoStack;

Q_DECLARE_METATYPE(tavelmark::model::CellRef)

namespace tavelmark::ui {

class GridModel;
class GridItemDelegate;

class GridView : public QTableView {
    Q_OBJECT
public:
    // The view shows and edits `grid`, and refreshes itself when the program
    // calls grid.notifyChanged(). The grid must stay alive while the view is
    // used; it may be destroyed before the view itself.
    explicit GridView(model::InputGrid& grid, QWidget* parent = nullptr);
    ~GridView() override;

    model::InputGrid& grid() { return grid_; }
    GridModel* gridModel() const { return model_; }
    QUndoStack* undoStack() const { return undoStack_; }

    // The keys the window lets in; without a set every key is let in.
    void setKeySet(std::optional<model::GridKeySet> keys) { keySet_ = keys; }
    std::optional<model::GridKeySet> keySet() const { return keySet_; }
    // Sheet columns whose cells take any key, whatever the key set (names).
    void setTextColumns(std::vector<int> columns) { textColumns_ = std::move(columns); }
    // The sound of a refused key (the system beep unless replaced, e.g. by a test).
    void setBeep(std::function<void()> beep) { beep_ = std::move(beep); }
    // How a notice reaches the user (a warning box unless replaced, e.g. by a
    // test): the pasted block's values that fell outside the grid.
    using Warning = std::function<void(const QString& title, const QString& text)>;
    void setWarning(Warning warning) { warning_ = std::move(warning); }

    model::CellRef activeCell() const;

    // Reads the grid again after the program wrote to it or selected in it:
    // values, formats, sizes, the selection and the active cell.
    void refresh();
    // Ends an edit in progress, keeping what was typed (before a calculation).
    void commitPendingEdit();

    // Tab-separated text into the grid from the active cell, clipped to the
    // viewable range; the pasted block is selected. Values that fell outside
    // are counted in a warning, so none is lost without the user knowing.
    // False when nothing fitted.
    bool pasteText(const QString& text);
    void paste();                  // from the clipboard
    QString selectionText() const; // the selected block as tab-separated text
    void copy();                   // to the clipboard
    // Cells written as one step that Ctrl+Z takes back (an imported file).
    void writeCells(std::vector<std::pair<model::CellRef, model::CellValue>> values, const QString& what);
    // Runs `change`, which writes into the grid itself (a calculation that
    // deletes an outlier on the user's word), and makes what it changed in
    // the reachable cells one step that Ctrl+Z takes back.
    void recordChanges(const std::function<void()>& change, const QString& what);
    // 清屏: empties the input area (the boxed cells where data go; the whole
    // reachable range in a grid without boxes) as one step that Ctrl+Z takes
    // back, and makes its first cell active. Headings and labels stay.
    void clearInputArea();

    // The window's own entries, added below the grid's in its context menu.
    void setMenuExtension(std::function<void(QMenu&)> extend) { extendMenu_ = std::move(extend); }

    // The whole viewable range, so a window can size the grid to show it all.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    // Every key typed into the grid, as its Windows virtual-key code, with
    // the cell that was active when it came.
    void keyNotified(int virtualKey, tavelmark::model::CellRef active);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;

private:
    friend class GridItemDelegate;

    bool handleShortcut(QKeyEvent* event);
    // Notifies the key; a refused key beeps and empties the active cell.
    bool keyAccepted(const QKeyEvent& event);
    // A key pressed inside an open cell editor; true when handled here.
    bool editorKeyPress(QWidget* editor, QKeyEvent* event);
    bool clearEditorOnOpen() const { return clearEditorOnOpen_; }
    void commitCells(std::vector<std::pair<model::CellRef, model::CellValue>> values, const QString& what);
    void moveActive(int rowStep, int columnStep);
    void applySizes();
    // The width the texts outside the entry boxes of a model column need.
    int widestLabel(int column) const;
    void syncSelectionToGrid();
    QRect selectedBlock() const;  // model rows and columns, current cell when none

    model::InputGrid& grid_;
    GridModel* model_ = nullptr;
    GridItemDelegate* delegate_ = nullptr;
    QUndoStack* undoStack_ = nullptr;
    std::optional<model::GridKeySet> keySet_;
    std::vector<int> textColumns_;
    std::function<void()> beep_;
    Warning warning_;
    std::function<void(QMenu&)> extendMenu_;
    // The editor opened by typing starts empty, and its arrows leave the cell
    // (the spreadsheet's Enter mode); opened by F2 or a double click the
    // left and right arrows move inside the text.
    bool clearEditorOnOpen_ = false;
    bool enterMode_ = false;
    bool forwardingTypedKey_ = false;
    QPointer<QWidget> openEditor_;  // set by the delegate
    bool syncingFromGrid_ = false;
    bool writingFromView_ = false;
    bool destroying_ = false;
};

}  // namespace tavelmark::ui
