#pragma once
// The window of one finished report. It belongs to the user: it stays open
// when the next report comes, and is written to disk only when the user asks
// ("另存为...", or a temporary copy to open in the spreadsheet program).
#include <QMainWindow>
#include <QTime>

#include "model/workbook.h"
#include "ui/desktop_opener.h"

class QAction;

namespace tavelmark::ui {

class WorkbookView;

// "Bliss法计算结果 15:42": what the window holds, from the report's title row
// without its parenthesised detail, and when it was calculated.
QString ResultWindowTitle(const model::Workbook& workbook, const QTime& at);

class ResultWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit ResultWindow(model::Workbook workbook, QWidget* parent = nullptr);

    const model::Workbook& workbook() const { return workbook_; }
    WorkbookView* view() const { return view_; }
    QAction* saveAsAction() const { return saveAs_; }
    QAction* openExternallyAction() const { return openExternally_; }
    QAction* printAction() const { return print_; }
    QAction* exportPdfAction() const { return exportPdf_; }
    QAction* copyAction() const { return copy_; }
    QAction* copyThreeLineAction() const { return copyThreeLine_; }
    QAction* selectAllAction() const { return selectAll_; }

    // The steps behind the actions, without their dialogs.
    bool saveTo(const QString& path);
    bool exportPdfTo(const QString& path);

    // What "用电子表格程序打开" hands its copy to (the desktop's program by default).
    void setFileOpener(FileOpener opener) { opener_ = std::move(opener); }

public slots:
    void saveAs();
    void openInSpreadsheet();
    void printReport();
    void exportPdf();
    // The selected cells of the shown sheet, or that whole sheet when none
    // are selected, as tab-separated text and as an HTML table.
    void copyReport();
    // Selects the shown sheet from A1 to its last value.
    void selectAll();
    // The report's tables in the three-line style, as HTML, with their
    // tab-separated text beside for programs that take no HTML: the tables
    // the selected cells touch, or every table of every sheet without a
    // selection; each with the note under it.
    void copyThreeLineTables();

private:
    void complain(const QString& title, const QString& text);

    model::Workbook workbook_;  // before view_: the view reads it
    FileOpener opener_ = OpenWithDesktopProgram;
    WorkbookView* view_ = nullptr;
    QAction* saveAs_ = nullptr;
    QAction* openExternally_ = nullptr;
    QAction* print_ = nullptr;
    QAction* exportPdf_ = nullptr;
    QAction* copy_ = nullptr;
    QAction* copyThreeLine_ = nullptr;
    QAction* selectAll_ = nullptr;
    int number_ = 0;
};

}  // namespace tavelmark::ui
