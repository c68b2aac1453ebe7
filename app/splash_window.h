#pragma once
// The start-up splash `frmLogo`: a borderless picture that covers the main
// window for three seconds and keeps it disabled meanwhile.
#include <QPixmap>
#include <QPointer>
#include <QRect>
#include <QWidget>

class QTimer;

namespace tavelmark::app {

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowMilliseconds = 3000;

    // Disables `mainWindow` at once and enables it again when the splash
    // closes; places itself on `screen` (the whole screen, in pixels).
    SplashWindow(QWidget* mainWindow, const QRect& screen);

    // Left edge (screen - splash) / 2, top edge (screen - splash) * 0.382:
    // the picture sits a little above the middle.
    static QPoint PlaceOnScreen(const QRect& screen, const QSize& splash);

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QPixmap picture_;
    QPointer<QWidget> mainWindow_;
    QTimer* timer_;
};

}  // namespace tavelmark::app
