#pragma once
// Cell painting and editing of the grid view: a frameless line editor that
// starts empty when the user starts typing, and hands its keys to the view
// first so the key filter and the spreadsheet's Enter and arrow moves apply.
#include <QStyledItemDelegate>

namespace tavelmark::ui {

class GridView;

class GridItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit GridItemDelegate(GridView& view);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    GridView& view_;
};

}  // namespace tavelmark::ui
