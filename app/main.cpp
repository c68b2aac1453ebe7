#include <QApplication>
#include <QStringList>
#include <QEvent>
#include <QTimer>

#include <cstdlib>

#include "app/analysis_commands.h"
#include "app/main_window.h"
#include "app/qt_translations.h"
#include "app/resource_dir.h"
#include "app/splash_window.h"
#include "app/start_up.h"

namespace {

// TAVELMARK_EXIT_AFTER_FIRST_PAINT=1 makes the program end as soon as its
// main window has painted once, so the whole start-up, process launch
// included, can be timed from outside:
//     hyperfine 'TAVELMARK_EXIT_AFTER_FIRST_PAINT=1 xvfb-run -a build/app/tavelmark'
// The exit is queued, so the paint pass that is under way finishes and is
// flushed first; sync() then waits until the display server has drawn it.
// The process ends there, without its tear-down, which is not start-up.
class ExitAfterFirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, [] {
                QGuiApplication::sync();
                std::_Exit(0);
            });
        }
        return false;
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavelmark"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/tavelmark.png")));
    tavelmark::app::InstallQtTranslations(app);

    tavelmark::app::MainWindow main(tavelmark::app::FindResourceDir());
    if (qEnvironmentVariable("TAVELMARK_EXIT_AFTER_FIRST_PAINT") == QStringLiteral("1"))
        main.installEventFilter(new ExitAfterFirstPaint(&main));
    QObject* splash = tavelmark::app::StartUp(main);
    // `tavelmark FILE.tavelmark` (the desktop entry's %f): the file opens in
    // its analysis's window once the splash has gone and the window is usable.
    if (const QStringList arguments = QApplication::arguments(); arguments.size() > 1) {
        const QString file = arguments.at(1);
        QObject::connect(splash, &QObject::destroyed, &main,
                         [&main, file] { tavelmark::app::OpenAnalysisFile(main, file); });
    }
    return app.exec();
}
