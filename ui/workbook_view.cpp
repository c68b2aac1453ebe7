#include "ui/workbook_view.h"

#include <cmath>

#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QPainter>
#include <QPrinter>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include "report/report_frame.h"
#include "ui/page_footer.h"
#include "ui/pdf_text_map.h"
#include "ui/sheet_metrics.h"
#include "ui/qt_text.h"

namespace tavelmark::ui {
namespace {

constexpr double kLeastMarginMillimetres = 10;
// The ideographs of a title in the first row reach a little above the row;
// 2 mm more at the top keep them 10 mm from the edge too.
constexpr double kLeastTopMarginMillimetres = 12;
constexpr double kFooterPoints = 9;

// At least 10 mm of paper around the print on every side; a larger margin
// the user or the printer asks for stays.
void KeepMargins(QPrinter& printer) {
    const QMarginsF now = printer.pageLayout().margins(QPageLayout::Millimeter);
    const QMarginsF kept(std::max(now.left(), kLeastMarginMillimetres), std::max(now.top(), kLeastTopMarginMillimetres),
                         std::max(now.right(), kLeastMarginMillimetres),
                         std::max(now.bottom(), kLeastMarginMillimetres));
    printer.setPageMargins(kept, QPageLayout::Millimeter);
}

}  // namespace

WorkbookView::WorkbookView(const model::Workbook& workbook, QWidget* parent)
    : QWidget(parent), workbook_(workbook), views_(workbook.sheets.size(), nullptr) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    stack_ = new QStackedWidget(this);
    column->addWidget(stack_, 1);
    views_.front() = new SheetView(workbook_, workbook_.sheets.front(), stack_);
    stack_->addWidget(views_.front());
    setFocusProxy(views_.front());
    if (workbook.sheets.size() < 2) return;

    tabs_ = new QTabBar(this);
    tabs_->setShape(QTabBar::RoundedSouth);
    tabs_->setDrawBase(false);
    tabs_->setExpanding(false);
    tabs_->setFocusPolicy(Qt::NoFocus);  // the keys stay with the cells
    for (const model::Sheet& sheet : workbook.sheets) tabs_->addTab(ToQString(sheet.name()));
    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(0, 0, 0, 0);
    bottom->addWidget(tabs_);
    bottom->addStretch(1);
    column->addLayout(bottom);
    connect(tabs_, &QTabBar::currentChanged, this, &WorkbookView::showSheet);

    auto* next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown), this);
    auto* previous = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp), this);
    next->setContext(Qt::WidgetWithChildrenShortcut);
    previous->setContext(Qt::WidgetWithChildrenShortcut);
    connect(next, &QShortcut::activated, this, &WorkbookView::showNextSheet);
    connect(previous, &QShortcut::activated, this, &WorkbookView::showPreviousSheet);
}

SheetView* WorkbookView::sheetView(int index) {
    const auto at = static_cast<std::size_t>(index);
    if (views_[at] == nullptr) {
        views_[at] = new SheetView(workbook_, workbook_.sheets[at], stack_);
        stack_->addWidget(views_[at]);
    }
    return views_[at];
}

void WorkbookView::showSheet(int index) {
    if (index < 0 || index >= sheetCount() || index == current_) return;
    const bool hadFocus = hasFocus();
    current_ = index;
    SheetView* view = sheetView(index);
    stack_->setCurrentWidget(view);
    setFocusProxy(view);
    if (tabs_ != nullptr) tabs_->setCurrentIndex(index);
    if (hadFocus) view->setFocus();
}

void WorkbookView::showNextSheet() { showSheet((current_ + 1) % sheetCount()); }

void WorkbookView::showPreviousSheet() { showSheet((current_ + sheetCount() - 1) % sheetCount()); }

void WorkbookView::print(QPrinter& printer) {
    for (int i = 0; i < sheetCount(); ++i) sheetView(i);  // each sheet's charts, laid out
    KeepMargins(printer);
    const QFont footerFont = SheetFont(report::kReportFontName, kFooterPoints);
    const QFontMetricsF footerMetrics(footerFont, &printer);
    // The footer's line and a gap of half a line above it.
    const int footerHeight = static_cast<int>(std::ceil(footerMetrics.height() * 1.5));

    // Every sheet's pages first, so that each page knows how many there are.
    // A wide sheet asks for landscape from its first page on (the first
    // sheet keeps the printer's own choice).
    std::vector<SheetView::Pages> plans;
    std::size_t total = 0;
    for (int i = 0; i < sheetCount(); ++i) {
        const model::Sheet& sheet = workbook_.sheets[static_cast<std::size_t>(i)];
        const QPageLayout::Orientation orientation =
            i == 0 ? printer.pageLayout().orientation()
                   : (sheet.pageSetup().orientation == model::PageOrientation::Landscape ? QPageLayout::Landscape
                                                                                          : QPageLayout::Portrait);
        plans.push_back(views_[static_cast<std::size_t>(i)]->planPages(printer, orientation, footerHeight));
        total += plans.back().slices.size();
    }
    {
        QPainter painter(&printer);
        if (!painter.isActive()) return;
        std::size_t number = 0;
        for (int i = 0; i < sheetCount(); ++i) {
            const SheetView::Pages& plan = plans[static_cast<std::size_t>(i)];
            if (i > 0) printer.setPageOrientation(plan.orientation);  // from the next page on
            for (std::size_t page = 0; page < plan.slices.size(); ++page) {
                if (number > 0) printer.newPage();
                views_[static_cast<std::size_t>(i)]->printPage(printer, painter, plan, page);
                ++number;
                // Centred on the page's last line, a little above its foot:
                // the ideographs reach lower than the Latin face's descent.
                const QRect area = printer.pageLayout().paintRectPixels(printer.resolution());
                const QString footer = PageFooter(static_cast<int>(number), static_cast<int>(total));
                const double baseline = area.height() - footerMetrics.height() * 0.4;
                painter.setFont(footerFont);
                painter.setPen(Qt::black);
                painter.drawText(QPointF((area.width() - footerMetrics.horizontalAdvance(footer)) / 2, baseline), footer);
            }
        }
    }
    // A PDF, once written, gets the report's characters as its text.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        PutReportCharactersInPdf(printer.outputFileName(), ReportCharacters(workbook_), ReportFaces(workbook_));
}

}  // namespace tavelmark::ui

#include "moc_workbook_view.cpp"
