#include "ui/result_window.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QRegularExpression>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHash>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>

#include "copyout/sheet_text.h"
#include "ui/qt_text.h"
#include "ui/workbook_view.h"
#include "xlsx/xlsx_export.h"

namespace tavelmark::ui {
namespace {

void PutOnClipboard(const std::string& text, const std::string& html) {
    auto* data = new QMimeData;
    data->setText(ToQString(text));
    if (!html.empty()) data->setHtml(ToQString(html));
    QGuiApplication::clipboard()->setMimeData(data);
}

QString WithSuffix(QString path, const QString& suffix) {
    if (!path.endsWith(suffix, Qt::CaseInsensitive)) path += suffix;
    return path;
}

// "Bliss法计算结果" from "Bliss法(正规LD50计算)计算结果" in the title row.
QString ReportCaption(const model::Workbook& workbook) {
    const auto* heading = std::get_if<std::string>(&workbook.activeSheet().value(model::CellRef{2, 1}));
    if (!heading) return QStringLiteral("计算结果");
    static const QRegularExpression detail(QStringLiteral("[(（][^()（）]*[)）]"));
    return ToQString(*heading).remove(detail);
}

// A title no other result window of this session has had: two reports of
// the same second get " (2)", " (3)", ...
QString UnusedTitle(const QString& title) {
    static QHash<QString, int> used;
    const int count = ++used[title];
    return count == 1 ? title : QStringLiteral("%1 (%2)").arg(title).arg(count);
}

}  // namespace

QString ResultWindowTitle(const model::Workbook& workbook, const QTime& at) {
    return ReportCaption(workbook) + QLatin1Char(' ') + at.toString(QStringLiteral("HH:mm:ss"));
}

QString SuggestedFileName(const model::Workbook& workbook, const QDate& day, const QString& suffix) {
    static const QRegularExpression forbidden(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f]"));
    QString caption = ReportCaption(workbook);
    caption.replace(forbidden, QStringLiteral("_"));
    return caption + QLatin1Char(' ') + day.toString(Qt::ISODate) + suffix;
}

ResultWindow::ResultWindow(model::Workbook workbook, QWidget* parent)
    : QMainWindow(parent), workbook_(std::move(workbook)) {
    setObjectName(QStringLiteral("ResultWindow"));
    setWindowTitle(UnusedTitle(ResultWindowTitle(workbook_, QTime::currentTime())));

    view_ = new WorkbookView(workbook_, this);
    view_->setAccessibleName(QStringLiteral("计算结果"));
    setCentralWidget(view_);

    saveAs_ = new QAction(QStringLiteral("另存为..."), this);
    saveAs_->setShortcut(QKeySequence::SaveAs);
    openExternally_ = new QAction(QStringLiteral("用电子表格程序打开"), this);
    print_ = new QAction(QStringLiteral("打印..."), this);
    print_->setShortcut(QKeySequence::Print);
    exportPdf_ = new QAction(QStringLiteral("导出为PDF..."), this);
    connect(saveAs_, &QAction::triggered, this, &ResultWindow::saveAs);
    connect(openExternally_, &QAction::triggered, this, &ResultWindow::openInSpreadsheet);
    connect(print_, &QAction::triggered, this, &ResultWindow::printReport);
    connect(exportPdf_, &QAction::triggered, this, &ResultWindow::exportPdf);
    copy_ = new QAction(QStringLiteral("复制"), this);
    copy_->setShortcut(QKeySequence::Copy);
    copyThreeLine_ = new QAction(QStringLiteral("复制为三线表"), this);
    connect(copy_, &QAction::triggered, this, &ResultWindow::copyReport);
    connect(copyThreeLine_, &QAction::triggered, this, &ResultWindow::copyThreeLineTables);
    selectAll_ = new QAction(QStringLiteral("全选"), this);
    selectAll_->setShortcut(QKeySequence::SelectAll);
    connect(selectAll_, &QAction::triggered, this, &ResultWindow::selectAll);
    addAction(copy_);
    addAction(selectAll_);

    QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
    file->addAction(saveAs_);
    file->addAction(openExternally_);
    file->addSeparator();
    file->addAction(print_);
    file->addAction(exportPdf_);
    QMenu* edit = menuBar()->addMenu(QStringLiteral("编辑(&E)"));
    edit->addAction(copy_);
    edit->addAction(copyThreeLine_);
    edit->addSeparator();
    edit->addAction(selectAll_);
    QToolBar* tools = addToolBar(QStringLiteral("工具栏"));
    tools->setMovable(false);
    tools->addAction(saveAs_);
    tools->addAction(openExternally_);
    tools->addAction(print_);
    tools->addAction(exportPdf_);
    tools->addAction(copyThreeLine_);
    statusBar();  // where a save says where the file went
    resize(760, 560);
    view_->setFocus();  // the arrow keys move over the cells from the start
}

void ResultWindow::copyReport() {
    const SheetView& shown = *view_->sheetView();
    const model::RangeRef cells = shown.selectedRange().value_or(shown.usedRange());
    PutOnClipboard(copyout::RangeAsTsv(shown.sheet(), cells), copyout::RangeAsHtml(shown.sheet(), cells));
}

void ResultWindow::selectAll() { view_->sheetView()->selectAll(); }

void ResultWindow::copyThreeLineTables() {
    std::vector<copyout::SheetTables> chosen;
    const SheetView& shown = *view_->sheetView();
    if (const auto selected = shown.selectedRange()) {
        chosen.push_back({&shown.sheet(), copyout::RuledTablesMeeting(shown.sheet(), *selected)});
        if (chosen.front().tables.empty()) {
            statusBar()->showMessage(QStringLiteral("所选单元格中没有表格"));
            return;
        }
    } else {
        for (const model::Sheet& sheet : workbook_.sheets) chosen.push_back({&sheet, copyout::FindRuledTables(sheet)});
    }
    PutOnClipboard(copyout::ThreeLineTablesText(chosen), copyout::ThreeLineTablesHtml(chosen));
}

void ResultWindow::complain(const QString& title, const QString& text) {
    QMessageBox::critical(this, title, text);
}

QString ResultWindow::chooseSavePath(const QString& caption, const QString& suffix, const QString& filter) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString suggested = QDir(folder).filePath(SuggestedFileName(workbook_, QDate::currentDate(), suffix));
    const QString path = chooseSave_ ? chooseSave_(caption, suggested, filter)
                                     : QFileDialog::getSaveFileName(this, caption, suggested, filter);
    return path.isEmpty() ? path : WithSuffix(path, suffix);
}

bool ResultWindow::saveTo(const QString& path) {
    std::string error;  // names the file and the cause
    if (xlsx::SaveXlsx(workbook_, ToStdString(QDir::toNativeSeparators(path)), &error)) {
        statusBar()->showMessage(QStringLiteral("已保存到 %1").arg(QDir::toNativeSeparators(path)));
        return true;
    }
    complain(QStringLiteral("保存失败"), ToQString(error));
    return false;
}

void ResultWindow::saveAs() {
    const QString path =
        chooseSavePath(QStringLiteral("另存为"), QStringLiteral(".xlsx"), QStringLiteral("Excel 工作簿 (*.xlsx)"));
    if (!path.isEmpty()) saveTo(path);
}

void ResultWindow::openInSpreadsheet() {
    QTemporaryDir folder(QDir(QDir::tempPath()).filePath(QStringLiteral("tavelmark-XXXXXX")));
    if (!folder.isValid()) {
        complain(QStringLiteral("打开失败"), QStringLiteral("无法创建临时文件夹: %1").arg(folder.errorString()));
        return;
    }
    const QString path = folder.filePath(SuggestedFileName(workbook_, QDate::currentDate(), QStringLiteral(".xlsx")));
    if (!saveTo(path)) return;  // the empty folder goes with `folder`
    // The spreadsheet program reads the copy after we let go of it, and
    // without one the user still has it: the folder stays behind.
    folder.setAutoRemove(false);
    statusBar()->showMessage(QStringLiteral("副本已保存到 %1").arg(QDir::toNativeSeparators(path)));
    if (!opener_(path))
        QMessageBox::warning(this, QStringLiteral("打开失败"),
                             QStringLiteral("没有能打开 .xlsx 文件的电子表格程序。\n报表的副本已保存在:\n%1")
                                 .arg(QDir::toNativeSeparators(path)));
}

void ResultWindow::printReport() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("打印"));
    if (dialog.exec() != QDialog::Accepted) return;
    view_->print(printer);
}

bool ResultWindow::exportPdfTo(const QString& path) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(windowTitle());
    view_->print(printer);
    if (QFileInfo(path).size() > 0) {
        statusBar()->showMessage(QStringLiteral("已保存到 %1").arg(QDir::toNativeSeparators(path)));
        return true;
    }
    complain(QStringLiteral("导出失败"), QStringLiteral("无法写入文件 %1").arg(path));
    return false;
}

void ResultWindow::exportPdf() {
    const QString path =
        chooseSavePath(QStringLiteral("导出为PDF"), QStringLiteral(".pdf"), QStringLiteral("PDF 文件 (*.pdf)"));
    if (!path.isEmpty()) exportPdfTo(path);
}

}  // namespace tavelmark::ui

#include "moc_result_window.cpp"
