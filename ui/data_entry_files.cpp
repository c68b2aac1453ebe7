// The data-entry window's files: saving its grid and options to an analysis
// file, opening one, importing a CSV file, and the question before unsaved
// changes are lost.
#include <cstdint>
#include <functional>
#include <sstream>

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QUndoStack>
#include <QUrl>

#include "files/input_loader.h"
#include "model/cell_ref.h"
#include "ui/data_entry_window.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"
#include "ui/qt_text.h"
#include "ui/recent_files.h"

namespace tavelmark::ui {

using documents::AnalysisDocument, report::MessageIcon;

namespace {

const char* const kSaveTitle = "保存数据";
const char* const kOpenTitle = "打开数据";
const char* const kImportTitle = "导入CSV";

QString AnalysisFilter() { return QStringLiteral("Tavelmark 分析文件 (*.tavelmark)"); }
QString CsvFilter() { return QStringLiteral("CSV 文件 (*.csv)"); }
QString AnyFileFilter() { return QStringLiteral("所有文件 (*)"); }

QString WithAnalysisSuffix(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
    return path + ToQString(documents::kAnalysisFileSuffix);
}

QString AskFile(QWidget* parent, FileChoice choice, const QString& suggested) {
    switch (choice) {
        case FileChoice::SaveAnalysis:
            return WithAnalysisSuffix(QFileDialog::getSaveFileName(parent, QString::fromUtf8(kSaveTitle), suggested,
                                                                   AnalysisFilter()));
        case FileChoice::OpenAnalysis:
            return QFileDialog::getOpenFileName(parent, QString::fromUtf8(kOpenTitle), suggested,
                                                AnalysisFilter() + QStringLiteral(";;") + AnyFileFilter());
        case FileChoice::ImportCsv:
            return QFileDialog::getOpenFileName(parent, QString::fromUtf8(kImportTitle), suggested,
                                                CsvFilter() + QStringLiteral(";;") + AnyFileFilter());
    }
    return {};
}

QMessageBox::StandardButton AskToSave(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Warning, title, text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Save)->setText(QStringLiteral("保存(&S)"));
    box.button(QMessageBox::Discard)->setText(QStringLiteral("不保存(&N)"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

// The one local file a drag brings, or nothing.
QString DraggedFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1) return {};
    const QUrl& url = data->urls().front();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

bool IsAnalysisFile(const QString& path) {
    return path.endsWith(ToQString(documents::kAnalysisFileSuffix), Qt::CaseInsensitive);
}

}  // namespace

void DataEntryWindow::setUpFileActions() {
    caption_ = windowTitle();
    auto make = [this](const QString& text, const QKeySequence& keys, std::function<void()> run) {
        auto* action = new QAction(text, this);
        if (!keys.isEmpty()) action->setShortcut(keys);
        // The keys work wherever the focus is inside the window.
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
        connect(action, &QAction::triggered, this, std::move(run));
        return action;
    };
    saveAction_ = make(QStringLiteral("保存数据(&S)"), QKeySequence(Qt::CTRL | Qt::Key_S), [this] { save(); });
    saveAsAction_ = make(QStringLiteral("数据另存为(&A)…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
                         [this] { saveAs(); });
    openAction_ = make(QStringLiteral("打开数据(&O)…"), QKeySequence(Qt::CTRL | Qt::Key_O), [this] { open(); });
    importAction_ = make(QStringLiteral("导入CSV(&I)…"), {}, [this] { import(); });
    recentMenu_ = new QMenu(QStringLiteral("最近的数据文件(&R)"), this);
    recentMenu_->setObjectName(QStringLiteral("recentFiles"));
    recentMenu_->setAccessibleName(QStringLiteral("最近的数据文件"));
    saveAction_->setObjectName(QStringLiteral("saveData"));
    saveAsAction_->setObjectName(QStringLiteral("saveDataAs"));
    openAction_->setObjectName(QStringLiteral("openData"));
    importAction_->setObjectName(QStringLiteral("importCsv"));

    gridView_->setMenuExtension([this](QMenu& menu) {
        menu.addAction(saveAction_);
        menu.addAction(saveAsAction_);
        menu.addAction(openAction_);
        fillRecentMenu();
        menu.addMenu(recentMenu_);
        menu.addSeparator();
        menu.addAction(importAction_);
    });
    setAcceptDrops(true);
    // The change marker follows every edit, undo and rewrite of the grid.
    connect(gridView_->gridModel(), &QAbstractItemModel::dataChanged, this, &DataEntryWindow::updateTitle);
    connect(gridView_->gridModel(), &QAbstractItemModel::modelReset, this, &DataEntryWindow::updateTitle);
}

void DataEntryWindow::fillRecentMenu() {
    recentMenu_->clear();
    const QStringList files = RecentFiles(design_.analysis.name);
    for (int i = 0; i < files.size(); ++i) {
        const QString& path = files[i];
        QAction* entry = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        entry->setToolTip(path);
        entry->setStatusTip(path);
        connect(entry, &QAction::triggered, this, [this, path] {
            if (confirmDiscard()) openFile(path);
        });
    }
    recentMenu_->setEnabled(!files.isEmpty());
}

nlohmann::json DataEntryWindow::currentOptions() {
    return design_.options ? design_.options(*this) : nlohmann::json::object();
}

void DataEntryWindow::applyOptions(const nlohmann::json& options) {
    if (design_.applyOptions) design_.applyOptions(*this, options);
}

DataEntryWindow::Snapshot DataEntryWindow::snapshot() {
    return {documents::CollectCells(grid_.activeSheet()), currentOptions()};
}

bool DataEntryWindow::hasUnsavedChanges() {
    if (!saved_) saved_ = snapshot();
    return snapshot() != *saved_;
}

void DataEntryWindow::updateTitle() {
    // Before the window is first shown its analysis may still be setting it up.
    const bool changed = saved_ && snapshot() != *saved_;
    const QString marker = changed ? QStringLiteral("*") : QString();
    const QString title = filePath_.isEmpty()
                              ? caption_ + marker
                              : QFileInfo(filePath_).fileName() + marker + QStringLiteral(" - ") + caption_;
    if (title == windowTitle()) return;
    titling_ = true;
    setWindowTitle(title);
    titling_ = false;
}

void DataEntryWindow::markSaved(const QString& path) {
    filePath_ = QFileInfo(path).absoluteFilePath();
    saved_ = snapshot();
    RememberRecentFile(design_.analysis.name, filePath_);
    updateTitle();
}

QString DataEntryWindow::chooseFile(FileChoice choice) {
    QString suggested = filePath_;
    if (suggested.isEmpty()) {
        const QStringList recent = RecentFiles(design_.analysis.name);
        if (!recent.isEmpty()) suggested = QFileInfo(recent.front()).absolutePath();
    }
    if (choice == FileChoice::ImportCsv && !suggested.isEmpty()) suggested = QFileInfo(suggested).absolutePath();
    return chooseFile_ ? chooseFile_(choice, suggested) : AskFile(this, choice, suggested);
}

bool DataEntryWindow::save() { return filePath_.isEmpty() ? saveAs() : saveTo(filePath_); }

bool DataEntryWindow::saveAs() {
    const QString path = chooseFile(FileChoice::SaveAnalysis);
    return !path.isEmpty() && saveTo(path);
}

bool DataEntryWindow::saveTo(const QString& path) {
    gridView_->commitPendingEdit();  // what is being typed is saved too
    AnalysisDocument document;
    document.analysis = std::string(design_.analysis.name);
    document.cells = documents::CollectCells(grid_.activeSheet());
    document.options = currentOptions();
    document.program = std::string("tavelmark ") + TAVELMARK_VERSION;
    document.savedAt = documents::LocalTimestamp();
    std::string error;
    if (!documents::SaveAnalysisFile(ToStdString(path), document, &error)) {
        workbench_.prompter().message("无法保存数据文件。\n" + error, kSaveTitle, MessageIcon::Critical);
        return false;
    }
    markSaved(path);
    return true;
}

void DataEntryWindow::open() {
    if (!confirmDiscard()) return;
    if (const QString path = chooseFile(FileChoice::OpenAnalysis); !path.isEmpty()) openFile(path);
}

bool DataEntryWindow::openFile(const QString& path) {
    // Read and checked whole before anything on screen changes.
    const documents::ReadResult read =
        documents::LoadAnalysisFile(ToStdString(path), workbench_.analyses(), design_.analysis.name,
                                    grid_.activeSheet().viewableRange());
    if (!read.document) {
        if (!QFileInfo::exists(path)) ForgetRecentFile(design_.analysis.name, path);
        workbench_.prompter().message(read.error, kOpenTitle, MessageIcon::Critical);
        return false;
    }
    gridView_->commitPendingEdit();
    documents::ApplyCells(read.document->cells, grid_.activeSheet());
    applyOptions(read.document->options);
    // Undo would mix the cells of two files.
    gridView_->undoStack()->clear();
    gridView_->refresh();
    markSaved(path);
    gridView_->setFocus();
    return true;
}

void DataEntryWindow::import() {
    if (const QString path = chooseFile(FileChoice::ImportCsv); !path.isEmpty()) importCsv(path);
}

bool DataEntryWindow::importCsv(const QString& path) {
    gridView_->commitPendingEdit();
    // Read into a copy first: a file that cannot be read leaves the grid
    // as it was, and one that can is written as a single undoable step.
    model::InputGrid read = grid_;
    read.setChangeListener({});
    std::ostringstream why;
    std::int64_t outside = 0;
    if (files::LoadInputGrid(ToStdString(path), read, why, &outside) != files::LoadStatus::Loaded) {
        std::string text = why.str();
        while (!text.empty() && text.back() == '\n') text.pop_back();
        workbench_.prompter().message(text, kImportTitle, MessageIcon::Critical);
        return false;
    }
    const model::RangeRef area = grid_.activeSheet().viewableRange();
    std::vector<std::pair<model::CellRef, model::CellValue>> changes;
    for (int row = area.first.row; row <= area.last.row; ++row)
        for (int column = area.first.column; column <= area.last.column; ++column) {
            const model::CellRef cell{row, column};
            if (read.value(cell) != grid_.value(cell)) changes.emplace_back(cell, read.value(cell));
        }
    gridView_->writeCells(std::move(changes), QStringLiteral("导入CSV"));
    updateTitle();
    if (outside > 0)
        workbench_.prompter().message("有 " + std::to_string(outside) + " 个数据位于表格可录入区域 " +
                                          model::RangeName(area) + " 之外，未导入。",
                                      kImportTitle, MessageIcon::Exclamation);
    gridView_->setFocus();
    return true;
}

bool DataEntryWindow::confirmDiscard() {
    gridView_->commitPendingEdit();
    if (!hasUnsavedChanges()) return true;
    const QString name = filePath_.isEmpty() ? QString() : QFileInfo(filePath_).fileName();
    const QString text = name.isEmpty() ? QStringLiteral("数据已修改，是否保存？")
                                        : QStringLiteral("“%1”中的数据已修改，是否保存？").arg(name);
    const QMessageBox::StandardButton answer =
        askToSave_ ? askToSave_(caption_, text) : AskToSave(this, caption_, text);
    switch (answer) {
        case QMessageBox::Save: return save();
        case QMessageBox::Discard: return true;
        default: return false;
    }
}

void DataEntryWindow::closeEvent(QCloseEvent* event) {
    if (!confirmDiscard()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void DataEntryWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    switch (event->type()) {
        case QEvent::WindowTitleChange:
            // A menu command gave the analysis a new caption (the rates and
            // means windows change theirs): keep it, with the file name.
            if (!titling_) {
                caption_ = windowTitle();
                updateTitle();
            }
            break;
        case QEvent::EnabledChange:
        case QEvent::ActivationChange:
            // Back from a settings dialog, whose options count as changes.
            updateTitle();
            break;
        default: break;
    }
}

void DataEntryWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!saved_) saved_ = snapshot();
}

void DataEntryWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!DraggedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void DataEntryWindow::dropEvent(QDropEvent* event) {
    const QString path = DraggedFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    if (IsAnalysisFile(path)) {
        if (confirmDiscard()) openFile(path);
    } else {
        importCsv(path);
    }
}

}  // namespace tavelmark::ui
