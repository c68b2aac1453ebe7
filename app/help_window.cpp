#include "app/help_window.h"

#include <QAction>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

namespace tavelmark::app {

HelpWindow::HelpWindow(const QString& documentPath, QWidget* owner) : QMainWindow(owner, Qt::Window) {
    setObjectName("frmHelp");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Tavelmark 帮助主题"));
    setAccessibleName(windowTitle());
    resize(860, 640);

    browser_ = new QTextBrowser(this);
    browser_->setObjectName("helpBrowser");
    browser_->setAccessibleName(QStringLiteral("帮助内容"));
    browser_->setOpenExternalLinks(true);
    browser_->setSource(QUrl::fromLocalFile(documentPath));
    setCentralWidget(browser_);

    auto* bar = addToolBar(QStringLiteral("导航"));
    bar->setObjectName("helpNavigation");
    bar->setAccessibleName(QStringLiteral("导航"));
    bar->setMovable(false);
    QAction* back = bar->addAction(QStringLiteral("后退(&B)"), browser_, &QTextBrowser::backward);
    QAction* forward = bar->addAction(QStringLiteral("前进(&F)"), browser_, &QTextBrowser::forward);
    bar->addAction(QStringLiteral("目录(&C)"), browser_, &QTextBrowser::home);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = browser_->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Tavelmark 帮助主题") : title);
    });
}

}  // namespace tavelmark::app

#include "moc_help_window.cpp"
