#pragma once
// The main window `Main`: a multiple-document frame with the menu tree, the
// five-panel status bar and the picture behind its documents. It is the
// workbench the analysis windows work in.
#include <map>
#include <memory>
#include <vector>

#include <QFont>
#include <QMainWindow>
#include <QString>

#include "ui/workbench.h"

class QAction;
class QTimer;

namespace tavelmark::ui {
class QtPrompter;
}

namespace tavelmark::app {

class StatusPanels;

class MainWindow : public QMainWindow, public ui::Workbench {
    Q_OBJECT
public:
    explicit MainWindow(QString resourceDir, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Workbench
    QMdiArea* mdiArea() override;
    QWidget* mainWidget() override;
    report::Prompter& prompter() override;
    report::ReportContext reportContext() const override;
    report::AnalysisCatalogue analyses() const override;
    ui::ResultWindow* showReport(model::Workbook workbook) override;

    // Runs the command of a menu entry by its object name, also for entries
    // shown disabled; false when the entry has no command. The status bar
    // reads "就绪" afterwards whatever the command did.
    bool runCommand(const QString& name);
    ui::CommandTable& commands() { return commands_; }

    QAction* menuAction(const QString& name) const;
    QString statusText() const;
    void setStatusText(const QString& text);
    // Hourglass and "正在运算,请稍候..." / default pointer and "就绪".
    void setBusy(bool busy);
    bool isBusy() const { return busy_; }
    const QString& resourceDir() const { return resourceDir_; }

protected:
    bool event(QEvent* event) override;
    // Every data-entry window with unsaved changes asks first; a cancel
    // keeps the program open.
    void closeEvent(QCloseEvent* event) override;

private:
    void registerHelpCommands();
    void settleBusy();

    QString resourceDir_;
    QMdiArea* mdi_;
    StatusPanels* status_;
    std::map<QString, QAction*> actions_;
    ui::CommandTable commands_;
    std::unique_ptr<ui::QtPrompter> prompter_;
    QTimer* settle_;
    bool busy_ = false;
    bool painted_ = false;
    std::vector<QFont> reportFonts_;  // loaded after the first paint
};

}  // namespace tavelmark::app
