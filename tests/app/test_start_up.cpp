// Start-up: "初始化..." while loading, the splash for three seconds with the
// main window shut off, then a main window that reacts.
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>

#include "app/main_window.h"
#include "app/resource_dir.h"
#include "app/splash_window.h"
#include "app/start_up.h"
#include "support/qtest_class.h"

using tavelmark::app::MainWindow;
using tavelmark::app::SplashWindow;

namespace {

// Clicks the menu bar's "定量药理(&Q)" and tells whether its menu opened.
bool MenuOpensOnClick(MainWindow& main) {
    QMenuBar* bar = main.menuBar();
    QAction* quantity = main.menuAction("mnuQuantity");
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(quantity).center());
    QTest::qWait(50);
    QWidget* popup = QApplication::activePopupWidget();
    const bool opened = popup != nullptr && popup == quantity->menu();
    if (popup != nullptr) popup->close();
    return opened;
}

}  // namespace

class StartUpTest : public QObject {
    Q_OBJECT
private slots:
    void splashPlacement_data() {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QPoint>("topLeft");
        // 1024 pixels high: top edge (1024 - 250) * 0.382 = 295.7, so 296 (manual's example)
        QTest::newRow("1280x1024") << QRect(0, 0, 1280, 1024) << QPoint(430, 296);
        QTest::newRow("1024x768") << QRect(0, 0, 1024, 768) << QPoint(302, 198);
        // a second screen to the right: offsets carry over
        QTest::newRow("offset screen") << QRect(1920, 0, 1920, 1080) << QPoint(1920 + 750, 317);
    }
    void splashPlacement() {
        QFETCH(QRect, screen);
        QFETCH(QPoint, topLeft);
        QCOMPARE(SplashWindow::PlaceOnScreen(screen, QSize(420, 250)), topLeft);
    }

    void mainWindowShutOffForThreeSeconds() {
        MainWindow main(tavelmark::app::FindResourceDir());
        QCOMPARE(main.statusText(), QStringLiteral("初始化..."));

        QElapsedTimer clock;
        clock.start();
        QPointer<SplashWindow> splash = tavelmark::app::StartUp(main);
        QVERIFY(splash);
        QCOMPARE(splash->objectName(), QStringLiteral("frmLogo"));
        QVERIFY(splash->isVisible());
        QCOMPARE(splash->size(), QSize(420, 250));
        QVERIFY(splash->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(main.statusText(), QStringLiteral("就绪"));
        QVERIFY(!main.isEnabled());

        QVERIFY(!MenuOpensOnClick(main));
        QTest::qWait(2500);
        // a heavily loaded machine may have slept past the three seconds
        if (clock.elapsed() < 2900) {
            QVERIFY(!MenuOpensOnClick(main));
            QVERIFY(!main.isEnabled());
            QVERIFY(splash);
        }

        QTRY_VERIFY_WITH_TIMEOUT(main.isEnabled(), 2000);
        QVERIFY(clock.elapsed() >= 3000);
        QTRY_VERIFY(!splash);  // closed and gone
        QVERIFY(MenuOpensOnClick(main));
        QCOMPARE(main.statusText(), QStringLiteral("就绪"));
    }
};

TAVELMARK_QTEST_CLASS(StartUpTest)
#include "test_start_up.moc"
