#include "app/start_up.h"

#include <QGuiApplication>
#include <QScreen>

#include "app/main_window.h"
#include "app/splash_window.h"
#include "report/status_text.h"

namespace tavelmark::app {

SplashWindow* StartUp(MainWindow& main) {
    main.setStatusText(QString::fromUtf8(report::kStatusStarting));
    main.show();
    QScreen* screen = main.screen() != nullptr ? main.screen() : QGuiApplication::primaryScreen();
    auto* splash = new SplashWindow(&main, screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768));
    splash->show();
    main.setStatusText(QString::fromUtf8(report::kStatusReady));
    return splash;
}

}  // namespace tavelmark::app
