#pragma once
// One sheet of a result workbook on the screen: its cells as the spreadsheet
// shows them, its charts in their places, in a scrolling area. The user
// selects cells with the mouse (click, drag, Shift+click) and the keyboard
// (arrows, Shift+arrows, Ctrl+A; Esc lets go); a chart's context menu saves
// it as a picture.
#include <functional>
#include <optional>
#include <vector>

#include <QImage>
#include <QPageLayout>
#include <QScrollArea>

#include "model/workbook.h"
#include "ui/sheet_selection.h"

QT_BEGIN_NAMESPACE
class QChartView;
class QPainter;
class QPrinter;
QT_END_NAMESPACE

namespace tavelmark::ui {

class SheetCanvas;
class SheetLayout;

enum class ChartPictureKind { Png, Svg };

class SheetView : public QScrollArea {
    Q_OBJECT
public:
    // The workbook must outlive the view; `sheet` is one of its sheets.
    SheetView(const model::Workbook& workbook, const model::Sheet& sheet, QWidget* parent = nullptr);

    const model::Sheet& sheet() const { return sheet_; }
    const QImage& background() const { return background_; }
    const std::vector<QChartView*>& chartViews() const { return charts_; }
    const SheetLayout& sheetLayout() const;

    // The user's selection; empty until the user selects, and after Esc.
    const std::optional<SheetSelection>& selection() const { return selection_; }
    std::optional<model::RangeRef> selectedRange() const;
    void setSelection(std::optional<SheetSelection> selection);
    // From A1 to the last cell holding a value: the whole report.
    void selectAll();
    // The cells the report shows, from A1 to the last cell holding a value.
    model::RangeRef usedRange() const;

    // How this sheet falls onto the pages of `printer` when printed in
    // `orientation`, with `footerHeight` printer pixels at the foot of each
    // page kept for the footer: laid out at the printer's resolution,
    // narrowed to the page's width, rows never cut, a chart not split when
    // it fits a page.
    struct Pages {
        QPageLayout::Orientation orientation = QPageLayout::Portrait;
        double scale = 1;
        std::vector<std::pair<int, int>> slices;  // layout pixels, top and bottom of each page
    };
    Pages planPages(const QPrinter& printer, QPageLayout::Orientation orientation, int footerHeight) const;
    // One page of the plan through `painter`, on the printer's current page:
    // without background and selection.
    void printPage(QPrinter& printer, QPainter& painter, const Pages& pages, std::size_t page) const;

    // The picture saves behind a chart's context menu, without their dialog.
    bool saveChartPicture(QChartView* chart, ChartPictureKind kind, const QString& path);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class SheetCanvas;
    void relayout();
    void addChartMenu(QChartView* view);
    void askAndSaveChart(QChartView* view, ChartPictureKind kind);
    // The selection's active cell, or the sheet's own cursor without one.
    model::CellRef cursor() const;
    void showCell(model::CellRef cell);

    const model::Sheet& sheet_;
    QImage background_;
    SheetCanvas* canvas_ = nullptr;
    std::vector<QChartView*> charts_;
    std::optional<SheetSelection> selection_;
};

}  // namespace tavelmark::ui
