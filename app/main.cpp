#include <QApplication>

#include "app/main_window.h"
#include "app/qt_translations.h"
#include "app/resource_dir.h"
#include "app/start_up.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavelmark"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/tavelmark.png")));
    tavelmark::app::InstallQtTranslations(app);

    tavelmark::app::MainWindow main(tavelmark::app::FindResourceDir());
    tavelmark::app::StartUp(main);
    return app.exec();
}
