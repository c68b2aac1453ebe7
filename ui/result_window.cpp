#include "ui/result_window.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QRegularExpression>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
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

int NextWorkbookNumber() {
    static int count = 0;
    return ++count;
}

QString WithSuffix(QString path, const QString& suffix) {
    if (!path.endsWith(suffix, Qt::CaseInsensitive)) path += suffix;
    return path;
}

}  // namespace

QString ResultWindowTitle(const model::Workbook& workbook, const QTime& at) {
    QString what = QStringLiteral("计算结果");
    if (const auto* heading = std::get_if<std::string>(&workbook.activeSheet().value(model::CellRef{2, 1}))) {
        what = ToQString(*heading);
        // "Bliss法(正规LD50计算)计算结果" -> "Bliss法计算结果"
        static const QRegularExpression detail(QStringLiteral("[(（][^()（）]*[)）]"));
        what.remove(detail);
    }
    return what + QLatin1Char(' ') + at.toString(QStringLiteral("HH:mm"));
}

ResultWindow::ResultWindow(model::Workbook workbook, QWidget* parent)
    : QMainWindow(parent), workbook_(std::move(workbook)), number_(NextWorkbookNumber()) {
    setObjectName(QStringLiteral("ResultWindow"));
    setWindowTitle(ResultWindowTitle(workbook_, QTime::currentTime()));

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

bool ResultWindow::saveTo(const QString& path) {
    std::string error;  // names the file and the cause
    if (xlsx::SaveXlsx(workbook_, ToStdString(QDir::toNativeSeparators(path)), &error)) return true;
    complain(QStringLiteral("保存失败"), ToQString(error));
    return false;
}

void ResultWindow::saveAs() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("另存为"), QDir(folder).filePath(QStringLiteral("Book%1.xlsx").arg(number_)),
        QStringLiteral("Excel 工作簿 (*.xlsx)"));
    if (path.isEmpty()) return;
    saveTo(WithSuffix(path, QStringLiteral(".xlsx")));
}

void ResultWindow::openInSpreadsheet() {
    QTemporaryDir folder(QDir(QDir::tempPath()).filePath(QStringLiteral("tavelmark-XXXXXX")));
    if (!folder.isValid()) {
        complain(QStringLiteral("打开失败"), QStringLiteral("无法创建临时文件夹: %1").arg(folder.errorString()));
        return;
    }
    const QString path = folder.filePath(QStringLiteral("Book%1.xlsx").arg(number_));
    if (!saveTo(path)) return;  // the empty folder goes with `folder`
    // The spreadsheet program reads the copy after we let go of it, and
    // without one the user still has it: the folder stays behind.
    folder.setAutoRemove(false);
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
    if (QFileInfo(path).size() > 0) return true;
    complain(QStringLiteral("导出失败"), QStringLiteral("无法写入文件 %1").arg(path));
    return false;
}

void ResultWindow::exportPdf() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("导出为PDF"), QDir(folder).filePath(QStringLiteral("Book%1.pdf").arg(number_)),
        QStringLiteral("PDF 文件 (*.pdf)"));
    if (path.isEmpty()) return;
    exportPdfTo(WithSuffix(path, QStringLiteral(".pdf")));
}

}  // namespace tavelmark::ui

#include "moc_result_window.cpp"
