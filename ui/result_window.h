#pragma once
// The window of one finished report. It belongs to the user: it stays open
// when the next report comes, and is written to disk only when the user asks
// ("另存为...", or a temporary copy to open in the spreadsheet program).
#include <functional>

#include <QDate>
#include <QMainWindow>
#include <QTime>

#include "model/workbook.h"
#include "ui/desktop_opener.h"

class QAction;

namespace tavelmark::ui {

class WorkbookView;

// "Bliss法计算结果 15:42:07": what the window holds, from the report's title
// row without its parenthesised detail, and when it was calculated.
QString ResultWindowTitle(const model::Workbook& workbook, const QTime& at);

// The name a save dialog offers: "Bliss法计算结果 2024-05-06.xlsx", the
// report's caption (characters no file name may hold made "_") and the day.
QString SuggestedFileName(const model::Workbook& workbook, const QDate& day, const QString& suffix);

// The save dialog: given its caption, the suggested path and the file
// filter, the path the user chose (empty when cancelled).
using SaveChooser = std::function<QString(const QString& caption, const QString& suggested, const QString& filter)>;

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

    // The steps behind the actions, without their dialogs; the status bar
    // says where the file went.
    bool saveTo(const QString& path);
    bool exportPdfTo(const QString& path);

    // What "用电子表格程序打开" hands its copy to (the desktop's program by default).
    void setFileOpener(FileOpener opener) { opener_ = std::move(opener); }
    // The dialog 另存为... and 导出为PDF... ask (the platform's by default).
    void setSaveChooser(SaveChooser chooser) { chooseSave_ = std::move(chooser); }

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
    // The path the user chose in the save dialog, with `suffix` added when
    // missing; empty when cancelled.
    QString chooseSavePath(const QString& caption, const QString& suffix, const QString& filter);

    model::Workbook workbook_;  // before view_: the view reads it
    FileOpener opener_ = OpenWithDesktopProgram;
    SaveChooser chooseSave_;
    WorkbookView* view_ = nullptr;
    QAction* saveAs_ = nullptr;
    QAction* openExternally_ = nullptr;
    QAction* print_ = nullptr;
    QAction* exportPdf_ = nullptr;
    QAction* copy_ = nullptr;
    QAction* copyThreeLine_ = nullptr;
    QAction* selectAll_ = nullptr;
};

}  // namespace tavelmark::ui
