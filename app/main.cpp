#include <QApplication>
#include <QEvent>
#include <QTimer>

#include "app/main_window.h"
#include "app/qt_translations.h"
#include "app/resource_dir.h"
#include "app/start_up.h"

namespace {

// TAVELMARK_EXIT_AFTER_FIRST_PAINT=1 makes the program quit as soon as its
// main window has painted once, so the whole start-up, process launch
// included, can be timed from outside:
//     hyperfine 'TAVELMARK_EXIT_AFTER_FIRST_PAINT=1 xvfb-run -a build/app/tavelmark'
// The quit is queued, so the paint pass that is under way finishes first.
class QuitAfterFirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
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
        main.installEventFilter(new QuitAfterFirstPaint(&main));
    tavelmark::app::StartUp(main);
    return app.exec();
}
