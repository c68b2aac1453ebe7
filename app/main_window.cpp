#include "app/main_window.h"

#include <algorithm>
#include <exception>
#include <set>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QThread>
#include <QTimer>

#include "analyses/analysis_list.h"
#include "app/analysis_commands.h"
#include "app/help_commands.h"
#include "app/menu_builder.h"
#include "app/picture_mdi_area.h"
#include "app/status_panels.h"
#include "app/text_box.h"
#include "report/guarded_run.h"
#include "report/status_text.h"
#include "ui/data_entry_window.h"
#include "ui/qt_prompter.h"
#include "ui/qt_text.h"
#include "ui/report_fonts.h"
#include "ui/result_window.h"

namespace tavelmark::app {

using report::Prompter, report::ReportContext, report::RunErrorText, report::kRunErrorTitle,
    report::kStatusBusy, report::kStatusReady, report::kStatusStarting;

namespace {

constexpr int kLoadFontsAfterMilliseconds = 200;

// The help menu's commands only show a box or a browser: no busy status.
bool IsHelpCommand(const QString& name) {
    static const std::set<QString> kHelp{"mnuHelpTopic", "mnuRefenerce", "mnuAbout"};
    return kHelp.count(name) != 0;
}

}  // namespace

MainWindow::MainWindow(QString resourceDir, QWidget* parent)
    : QMainWindow(parent), resourceDir_(std::move(resourceDir)) {
    setObjectName("Main");
    setWindowTitle(QStringLiteral("Tavelmark ver1.0"));
    setAccessibleName(windowTitle());
    // wide enough for the five status panels
    resize(1024, 720);

    mdi_ = new PictureMdiArea(this);
    setCentralWidget(mdi_);
    status_ = new StatusPanels(this);
    setStatusBar(status_);
    setStatusText(QString::fromUtf8(kStatusStarting));

    menuBar()->setAccessibleName(QStringLiteral("菜单栏"));
    actions_ = BuildMenuBar(*menuBar(), MenuEntries());
    for (const auto& [name, action] : actions_) {
        if (action->menu() != nullptr) continue;
        connect(action, &QAction::triggered, this, [this, name = name] { runCommand(name); });
    }

    prompter_ = std::make_unique<ui::QtPrompter>(this, [this](bool busy) { setBusy(busy); });

    // A calculation started from a data-entry window sets the status busy
    // through the prompter and normally sets it ready again; should one end
    // without doing so, the status returns to ready once the program is idle.
    settle_ = new QTimer(this);
    settle_->setSingleShot(true);
    connect(settle_, &QTimer::timeout, this, &MainWindow::settleBusy);

    registerHelpCommands();
    RegisterAnalysisCommands(commands_, actions_);
}

MainWindow::~MainWindow() = default;

QMdiArea* MainWindow::mdiArea() { return mdi_; }

QWidget* MainWindow::mainWidget() { return this; }

Prompter& MainWindow::prompter() { return *prompter_; }

ReportContext MainWindow::reportContext() const { return ReportContext{resourceDir_.toStdString()}; }

report::AnalysisCatalogue MainWindow::analyses() const { return analyses::Analyses(); }

ui::ResultWindow* MainWindow::showReport(model::Workbook workbook) {
    auto* window = new ui::ResultWindow(std::move(workbook));
    QMdiSubWindow* sub = mdi_->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // Room for a report's first tables, but never larger than the area.
    const QSize area = mdi_->viewport()->size();
    const QSize wanted = sub->sizeHint().expandedTo(QSize(760, 540));
    sub->resize(wanted.boundedTo(area - QSize(24, 24)).expandedTo(QSize(320, 240)));
    sub->show();
    // the area places a new window beside the others; pull it back inside
    const QPoint inside(std::clamp(sub->x(), 0, std::max(0, area.width() - sub->width())),
                        std::clamp(sub->y(), 0, std::max(0, area.height() - sub->height())));
    sub->move(inside);
    mdi_->setActiveSubWindow(sub);
    return window;
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::Paint && !painted_) {
        painted_ = true;
        // While the splash still covers the window, a moment after its first
        // paint so that the splash and the rest of the start-up paint first:
        // the first report then finds its fonts loaded.
        QTimer::singleShot(kLoadFontsAfterMilliseconds, this, [this] { reportFonts_ = ui::LoadReportFonts(); });
    }
    return QMainWindow::event(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    for (QMdiSubWindow* holder : mdi_->subWindowList())
        if (auto* window = qobject_cast<ui::DataEntryWindow*>(holder->widget()); window && !window->confirmDiscard()) {
            event->ignore();
            return;
        }
    QMainWindow::closeEvent(event);
}

void MainWindow::registerHelpCommands() {
    commands_["mnuHelpTopic"] = [this](ui::Workbench&) { OpenHelpTopic(this, resourceDir_); };
    commands_["mnuRefenerce"] = [this](ui::Workbench&) { ShowReferences(this); };
    commands_["mnuAbout"] = [this](ui::Workbench&) { ShowAbout(this); };
}

bool MainWindow::runCommand(const QString& name) {
    const auto found = commands_.find(name);
    if (found == commands_.end()) return false;
    const bool quiet = IsHelpCommand(name);
    if (!quiet) setBusy(true);
    try {
        found->second(*this);
    } catch (...) {
        setBusy(false);
        ShowTextBox(this, RunErrorText(std::current_exception()), ui::ToQString(kRunErrorTitle),
                    QMessageBox::Critical);
    }
    setBusy(false);
    return true;
}

QAction* MainWindow::menuAction(const QString& name) const {
    const auto found = actions_.find(name);
    return found == actions_.end() ? nullptr : found->second;
}

QString MainWindow::statusText() const { return status_->statusText(); }

void MainWindow::setStatusText(const QString& text) { status_->setStatusText(text); }

void MainWindow::setBusy(bool busy) {
    if (busy) {
        if (!busy_) setCursor(Qt::WaitCursor);
        busy_ = true;
        setStatusText(QString::fromUtf8(kStatusBusy));
        settle_->start(0);
    } else {
        if (busy_) unsetCursor();
        busy_ = false;
        settle_->stop();
        setStatusText(QString::fromUtf8(kStatusReady));
    }
}

void MainWindow::settleBusy() {
    if (!busy_) return;
    // Inside a message box or a question of the running calculation: it has
    // not ended yet; look again later.
    if (QApplication::activeModalWidget() != nullptr || QThread::currentThread()->loopLevel() > 1) {
        settle_->start(100);
        return;
    }
    setBusy(false);
}

}  // namespace tavelmark::app

#include "moc_main_window.cpp"
