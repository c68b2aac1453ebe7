#pragma once
// A result workbook on the screen: its sheet as the spreadsheet shows it,
// with the charts in their places, in a scrolling area.
#include <QImage>
#include <QScrollArea>

#include "model/workbook.h"
#include "ui/sheet_painter.h"

QT_BEGIN_NAMESPACE
class QChartView;
class QPrinter;
QT_END_NAMESPACE

namespace tavelmark::ui {

class SheetCanvas;

class WorkbookView : public QScrollArea {
    Q_OBJECT
public:
    // The workbook must outlive the view (the result window holds both).
    explicit WorkbookView(const model::Workbook& workbook, QWidget* parent = nullptr);

    const model::Sheet& sheet() const;
    const QImage& background() const { return background_; }
    const std::vector<QChartView*>& chartViews() const { return charts_; }
    // The sheet and its charts, without background and selection, one page
    // after another (rows are not cut; a chart is not split when it fits).
    void print(QPrinter& printer) const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void relayout();

    const model::Workbook& workbook_;
    QImage background_;
    SheetCanvas* canvas_ = nullptr;
    std::vector<QChartView*> charts_;
};

}  // namespace tavelmark::ui
