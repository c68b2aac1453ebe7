#pragma once
// A result workbook on the screen: its sheets as a spreadsheet shows them,
// one at a time, with the sheets' tabs at the bottom when there are several
// (Ctrl+PgUp and Ctrl+PgDn switch). A sheet's view is made the first time it
// is shown, so a second sheet costs nothing until the user looks at it.
#include <optional>
#include <vector>

#include <QImage>
#include <QWidget>

#include "model/workbook.h"
#include "ui/sheet_view.h"

QT_BEGIN_NAMESPACE
class QChartView;
class QPrinter;
class QStackedWidget;
class QTabBar;
QT_END_NAMESPACE

namespace tavelmark::ui {

class WorkbookView : public QWidget {
    Q_OBJECT
public:
    // The workbook must outlive the view (the result window holds both).
    explicit WorkbookView(const model::Workbook& workbook, QWidget* parent = nullptr);

    int sheetCount() const { return static_cast<int>(workbook_.sheets.size()); }
    int currentSheet() const { return current_; }
    // The tabs; nullptr for a workbook of one sheet.
    QTabBar* tabBar() const { return tabs_; }
    // The shown sheet's view, and any sheet's (made when first asked for).
    SheetView* sheetView() const { return views_[static_cast<std::size_t>(current_)]; }
    SheetView* sheetView(int index);

    // What the shown sheet holds.
    const model::Sheet& sheet() const { return sheetView()->sheet(); }
    const QImage& background() const { return sheetView()->background(); }
    const std::vector<QChartView*>& chartViews() const { return sheetView()->chartViews(); }

    // Every sheet in order, each from a new page, without background and
    // selection (rows are not cut; a chart is not split when it fits), with
    // margins of at least 10 mm and "第 n 页 共 m 页" at the foot of each
    // page. A PDF's text then holds the report's own characters.
    void print(QPrinter& printer);

public slots:
    void showSheet(int index);
    void showNextSheet();
    void showPreviousSheet();

private:
    const model::Workbook& workbook_;
    QStackedWidget* stack_ = nullptr;
    QTabBar* tabs_ = nullptr;
    std::vector<SheetView*> views_;
    int current_ = 0;
};

}  // namespace tavelmark::ui
