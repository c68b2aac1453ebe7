#include "ui/workbook_view.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPrinter>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include "ui/pdf_text_map.h"
#include "ui/qt_text.h"

namespace tavelmark::ui {

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
    {
        QPainter painter(&printer);
        if (!painter.isActive()) return;
        for (int i = 0; i < sheetCount(); ++i)
            views_[static_cast<std::size_t>(i)]->printPages(printer, painter, i == 0);
    }
    // A PDF, once written, gets the report's characters as its text.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        PutReportCharactersInPdf(printer.outputFileName(), ReportCharacters(workbook_), ReportFaces(workbook_));
}

}  // namespace tavelmark::ui

#include "moc_workbook_view.cpp"
