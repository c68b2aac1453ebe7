#pragma once
// The in-program help browser: shows the help document from the program's
// resources folder and lives on beside the main window.
#include <QMainWindow>

class QTextBrowser;

namespace tavelmark::app {

class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    HelpWindow(const QString& documentPath, QWidget* owner);

    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

}  // namespace tavelmark::app
