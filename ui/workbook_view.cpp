#include "ui/workbook_view.h"

#include <algorithm>

#include <QChart>
#include <QChartView>
#include <QGraphicsScene>
#include <QPainter>
#include <QPaintEvent>
#include <QPrinter>

#include "ui/chart_builder.h"
#include "ui/qt_text.h"

namespace tavelmark::ui {

using model::Chart, model::Sheet, model::Workbook;

class SheetCanvas : public QWidget {
public:
    SheetCanvas(const Sheet& sheet, const QImage& background, QWidget* parent)
        : QWidget(parent),
          sheet_(sheet),
          background_(QPixmap::fromImage(background)),
          layout_(sheet, 96, 96) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    const SheetLayout& sheetLayout() const { return layout_; }
    void layOut(QSize cover) {
        layout_ = SheetLayout(sheet_, logicalDpiX(), logicalDpiY(), cover);
        setFixedSize(layout_.size());
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        SheetPaintOptions options;
        options.background = background_;
        PaintSheet(painter, sheet_, layout_, options, event->rect());
    }

private:
    const Sheet& sheet_;
    QPixmap background_;  // converted once, not at every paint
    SheetLayout layout_;
};

WorkbookView::WorkbookView(const Workbook& workbook, QWidget* parent)
    : QScrollArea(parent), workbook_(workbook) {
    const Sheet& shown = sheet();
    if (!shown.backgroundPicture().empty())
        background_.load(ToQString(shown.backgroundPicture()));  // a missing picture shows white
    canvas_ = new SheetCanvas(shown, background_, this);
    setWidget(canvas_);
    setWidgetResizable(false);
    setFrameShape(QFrame::NoFrame);
    setBackgroundRole(QPalette::Base);

    const SheetLookup lookup = [this](const std::string& name) -> const Sheet* {
        for (const Sheet& s : workbook_.sheets)
            if (s.name() == name) return &s;
        return &sheet();  // a series naming another sheet still finds its data here
    };
    for (const Chart& chart : shown.charts()) {
        auto* view = new QChartView(BuildChart(chart, lookup, logicalDpiX()), canvas_);
        view->setRenderHint(QPainter::Antialiasing);
        view->setFrameShape(QFrame::NoFrame);
        view->setObjectName(ToQString(chart.name));
        charts_.push_back(view);
    }
    relayout();
}

const Sheet& WorkbookView::sheet() const { return workbook_.activeSheet(); }

void WorkbookView::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    relayout();
}

void WorkbookView::relayout() {
    canvas_->layOut(viewport()->size());
    const auto& charts = sheet().charts();
    for (std::size_t i = 0; i < charts_.size(); ++i) {
        const QRect place = canvas_->sheetLayout().chartRect(charts[i]);
        charts_[i]->setGeometry(place);
        // Laid out now, not at the view's first show: a report may be
        // printed before it was ever on the screen.
        FitChart(*charts_[i]->chart(), place.size());
    }
}

void WorkbookView::print(QPrinter& printer) const {
    // Laid out at the printer's resolution, so that the cell fonts keep
    // their point sizes on the page, then narrowed to the page's width.
    const SheetLayout layout(sheet(), printer.resolution(), printer.resolution());
    QPainter painter(&printer);
    if (!painter.isActive()) return;
    const QSize content = layout.contentSize();
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    // The sheet's width fits the page; it is never enlarged.
    const double scale = std::min(1.0, static_cast<double>(page.width()) / std::max(1, content.width()));
    const int pageHeight = static_cast<int>(page.height() / scale);

    const auto& charts = sheet().charts();
    int top = 0;
    bool first = true;
    while (top < content.height()) {
        int bottom = std::min(content.height(), top + pageHeight);
        if (bottom < content.height()) {
            // Break at a row boundary, and above a chart that would be cut but fits a page.
            int cut = layout.rowTop(layout.rowAt(bottom));
            for (const Chart& chart : charts) {
                const QRect place = layout.chartRect(chart);
                if (place.top() < cut && place.bottom() >= cut && place.top() > top &&
                    place.height() <= pageHeight)
                    cut = layout.rowTop(layout.rowAt(place.top()));
            }
            if (cut > top) bottom = cut;
        }
        if (!first) printer.newPage();
        first = false;
        painter.save();
        painter.scale(scale, scale);
        painter.translate(0, -top);
        const QRect slice(0, top, content.width(), bottom - top);
        painter.setClipRect(slice);
        SheetPaintOptions options;
        options.showSelection = false;  // paper shows neither the picture nor the cursor
        PaintSheet(painter, sheet(), layout, options, slice);
        for (std::size_t i = 0; i < charts_.size(); ++i) {
            const QRect place = layout.chartRect(charts[i]);
            if (!place.intersects(slice)) continue;
            QChart* chart = charts_[i]->chart();
            chart->scene()->render(&painter, QRectF(place), chart->geometry(), Qt::IgnoreAspectRatio);
        }
        painter.restore();
        top = bottom;
    }
}

}  // namespace tavelmark::ui
