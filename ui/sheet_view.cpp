#include "ui/sheet_view.h"

#include <algorithm>

#include <QAction>
#include <QResizeEvent>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QFileDialog>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPrinter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStatusBar>

#include "ui/chart_builder.h"
#include "ui/chart_export.h"
#include "ui/qt_text.h"
#include "ui/sheet_layout.h"
#include "ui/sheet_painter.h"

namespace tavelmark::ui {

using model::CellRef, model::Chart, model::RangeRef, model::Sheet, model::Workbook;

class SheetCanvas : public QWidget {
public:
    SheetCanvas(SheetView& view, const QImage& background)
        : QWidget(&view), view_(view), background_(QPixmap::fromImage(background)), layout_(view.sheet(), 96, 96) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::StrongFocus);
    }

    const SheetLayout& sheetLayout() const { return layout_; }
    void layOut(QSize cover) {
        layout_ = SheetLayout(view_.sheet(), logicalDpiX(), logicalDpiY(), cover);
        setFixedSize(layout_.size());
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        SheetPaintOptions options;
        options.background = background_;
        if (view_.selection_) {
            options.selectedRange = view_.selectedRange();
            options.activeCell = view_.selection_->active;
        }
        PaintSheet(painter, view_.sheet(), layout_, options, event->rect());
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
        setFocus(Qt::MouseFocusReason);
        CellRef cell = layout_.cellAt(event->position().toPoint());
        if (event->modifiers() & Qt::ShiftModifier) {
            view_.setSelection(SheetSelection{view_.cursor(), cell});
            return;
        }
        for (const RangeRef& merge : view_.sheet().merges())
            if (merge.contains(cell)) cell = merge.first;  // a merge is selected by its first cell
        view_.setSelection(SheetSelection{cell, cell});
    }

    void mouseMoveEvent(QMouseEvent* event) override {
        if (!(event->buttons() & Qt::LeftButton) || !view_.selection_) return QWidget::mouseMoveEvent(event);
        const QPoint at = event->position().toPoint();
        const CellRef cell = layout_.cellAt(at);
        if (!(cell == view_.selection_->end)) view_.setSelection(SheetSelection{view_.selection_->active, cell});
        view_.ensureVisible(at.x(), at.y(), 8, 8);  // dragging past the edge scrolls on
    }

    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::SelectAll)) return view_.selectAll();
        if (event->key() == Qt::Key_Escape && view_.selection_) return view_.setSelection(std::nullopt);
        int rowStep = 0, columnStep = 0;
        switch (event->key()) {
            case Qt::Key_Up: rowStep = -1; break;
            case Qt::Key_Down: rowStep = 1; break;
            case Qt::Key_Left: columnStep = -1; break;
            case Qt::Key_Right: columnStep = 1; break;
            default: return QWidget::keyPressEvent(event);
        }
        if (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) return QWidget::keyPressEvent(event);
        const CellRef from = view_.cursor();
        const SheetSelection now = view_.selection_.value_or(SheetSelection{from, from});
        const SheetSelection next =
            SteppedSelection(now, rowStep, columnStep, (event->modifiers() & Qt::ShiftModifier) != 0,
                             view_.sheet().merges(), {layout_.lastRow(), layout_.lastColumn()});
        view_.setSelection(next);
        view_.showCell((event->modifiers() & Qt::ShiftModifier) ? next.end : next.active);
    }

private:
    SheetView& view_;
    QPixmap background_;  // converted once, not at every paint
    SheetLayout layout_;
};

SheetView::SheetView(const Workbook& workbook, const Sheet& sheet, QWidget* parent)
    : QScrollArea(parent), sheet_(sheet) {
    if (!sheet.backgroundPicture().empty())
        background_.load(ToQString(sheet.backgroundPicture()));  // a missing picture shows white
    canvas_ = new SheetCanvas(*this, background_);
    setWidget(canvas_);
    setFocusProxy(canvas_);
    setWidgetResizable(false);
    setFrameShape(QFrame::NoFrame);
    setBackgroundRole(QPalette::Base);

    const SheetLookup lookup = [&workbook, this](const std::string& name) -> const Sheet* {
        for (const Sheet& s : workbook.sheets)
            if (s.name() == name) return &s;
        return &sheet_;  // a series naming another sheet still finds its data here
    };
    for (const Chart& chart : sheet.charts()) {
        auto* view = new QChartView(BuildChart(chart, lookup, logicalDpiX()), canvas_);
        view->setRenderHint(QPainter::Antialiasing);
        view->setFrameShape(QFrame::NoFrame);
        view->setObjectName(ToQString(chart.name));
        addChartMenu(view);
        charts_.push_back(view);
    }
    relayout();
}

const SheetLayout& SheetView::sheetLayout() const { return canvas_->sheetLayout(); }

std::optional<RangeRef> SheetView::selectedRange() const {
    if (!selection_) return std::nullopt;
    return SelectedRange(*selection_, sheet_.merges());
}

void SheetView::setSelection(std::optional<SheetSelection> selection) {
    selection_ = selection;
    canvas_->update();
}

RangeRef SheetView::usedRange() const {
    CellRef extent{1, 1};
    for (const auto& [cell, value] : sheet_.cells().values()) {
        extent.row = std::max(extent.row, cell.row);
        extent.column = std::max(extent.column, cell.column);
    }
    return {{1, 1}, extent};
}

void SheetView::selectAll() { setSelection(SheetSelection{{1, 1}, usedRange().last}); }

CellRef SheetView::cursor() const { return selection_ ? selection_->active : sheet_.selectedCell(); }

void SheetView::showCell(CellRef cell) {
    const QRect place = canvas_->sheetLayout().cellRect(cell);
    ensureVisible(place.center().x(), place.center().y(), place.width() / 2 + 1, place.height() / 2 + 1);
}

void SheetView::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    relayout();
}

void SheetView::relayout() {
    // The cells cover the area as it is without scroll bars: covering the
    // viewport would make the canvas shrink when the bars come and grow when
    // they go, and the bars would come and go for ever.
    canvas_->layOut(maximumViewportSize());
    const auto& charts = sheet_.charts();
    for (std::size_t i = 0; i < charts_.size(); ++i) {
        const QRect place = canvas_->sheetLayout().chartRect(charts[i]);
        charts_[i]->setGeometry(place);
        // Laid out now, not at the view's first show: a report may be
        // printed before it was ever on the screen.
        FitChart(*charts_[i]->chart(), place.size());
    }
}

void SheetView::addChartMenu(QChartView* view) {
    auto* png = new QAction(QStringLiteral("保存图表为PNG…"), view);
    auto* svg = new QAction(QStringLiteral("保存图表为SVG…"), view);
    connect(png, &QAction::triggered, this, [this, view] { askAndSaveChart(view, ChartPictureKind::Png); });
    connect(svg, &QAction::triggered, this, [this, view] { askAndSaveChart(view, ChartPictureKind::Svg); });
    view->addAction(png);
    view->addAction(svg);
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void SheetView::askAndSaveChart(QChartView* view, ChartPictureKind kind) {
    const bool png = kind == ChartPictureKind::Png;
    const QString suffix = png ? QStringLiteral(".png") : QStringLiteral(".svg");
    QString name = view->chart()->title().isEmpty() ? QStringLiteral("图表") : view->chart()->title();
    name.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]")), QStringLiteral("_"));
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString path = QFileDialog::getSaveFileName(
        this, png ? QStringLiteral("保存图表为PNG") : QStringLiteral("保存图表为SVG"),
        QDir(folder).filePath(name + suffix),
        png ? QStringLiteral("PNG 图片 (*.png)") : QStringLiteral("SVG 图形 (*.svg)"));
    if (path.isEmpty()) return;
    if (!path.endsWith(suffix, Qt::CaseInsensitive)) path += suffix;
    saveChartPicture(view, kind, path);
}

bool SheetView::saveChartPicture(QChartView* view, ChartPictureKind kind, const QString& path) {
    QChart& chart = *view->chart();
    const QByteArray bytes = kind == ChartPictureKind::Png ? ChartPngBytes(chart, view->logicalDpiX())
                                                           : ChartSvgBytes(chart, view->logicalDpiX());
    QString error;
    if (SaveChartPicture(path, bytes, &error)) {
        // The status bar of the window that holds the report says where it went.
        for (QWidget* holder = parentWidget(); holder; holder = holder->parentWidget())
            if (auto* window = qobject_cast<QMainWindow*>(holder)) {
                window->statusBar()->showMessage(QStringLiteral("已保存到 %1").arg(QDir::toNativeSeparators(path)));
                break;
            }
        return true;
    }
    QMessageBox::critical(this, QStringLiteral("保存失败"), error);
    return false;
}

SheetView::Pages SheetView::planPages(const QPrinter& printer, QPageLayout::Orientation orientation,
                                      int footerHeight) const {
    const SheetLayout layout(sheet_, printer.resolution(), printer.resolution());
    QPageLayout pageLayout = printer.pageLayout();
    pageLayout.setOrientation(orientation);
    const QRect page = pageLayout.paintRectPixels(printer.resolution());
    const QSize content = layout.contentSize();
    Pages pages;
    pages.orientation = orientation;
    // The sheet's width fits the page; it is never enlarged.
    pages.scale = std::min(1.0, static_cast<double>(page.width()) / std::max(1, content.width()));
    const int pageHeight = static_cast<int>((page.height() - footerHeight) / pages.scale);

    int top = 0;
    while (top < content.height()) {
        int bottom = std::min(content.height(), top + pageHeight);
        if (bottom < content.height()) {
            // Break at a row boundary, and above a chart that would be cut but fits a page.
            int cut = layout.rowTop(layout.rowAt(bottom));
            for (const Chart& chart : sheet_.charts()) {
                const QRect place = layout.chartRect(chart);
                if (place.top() < cut && place.bottom() >= cut && place.top() > top && place.height() <= pageHeight)
                    cut = layout.rowTop(layout.rowAt(place.top()));
            }
            if (cut > top) bottom = cut;
        }
        pages.slices.emplace_back(top, bottom);
        top = bottom;
    }
    return pages;
}

void SheetView::printPage(QPrinter& printer, QPainter& painter, const Pages& pages, std::size_t page) const {
    // Laid out at the printer's resolution, so that the cell fonts keep
    // their point sizes on the page, then narrowed to the page's width.
    const SheetLayout layout(sheet_, printer.resolution(), printer.resolution());
    const auto [top, bottom] = pages.slices[page];
    painter.save();
    painter.scale(pages.scale, pages.scale);
    painter.translate(0, -top);
    const QRect slice(0, top, layout.contentSize().width(), bottom - top);
    painter.setClipRect(slice);
    SheetPaintOptions options;
    options.showSelection = false;  // paper shows neither the picture nor the cursor
    PaintSheet(painter, sheet_, layout, options, slice);
    const auto& charts = sheet_.charts();
    for (std::size_t i = 0; i < charts_.size(); ++i) {
        const QRect place = layout.chartRect(charts[i]);
        if (!place.intersects(slice)) continue;
        QChart* chart = charts_[i]->chart();
        chart->scene()->render(&painter, QRectF(place), chart->geometry(), Qt::IgnoreAspectRatio);
    }
    painter.restore();
}

}  // namespace tavelmark::ui

#include "moc_sheet_view.cpp"
