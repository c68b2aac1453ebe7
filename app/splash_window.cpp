#include "app/splash_window.h"

#include <QCloseEvent>
#include <QPainter>
#include <QTimer>

namespace tavelmark::app {
namespace {
constexpr QSize kSplashSize{420, 250};
}

QPoint SplashWindow::PlaceOnScreen(const QRect& screen, const QSize& splash) {
    const int left = qRound((screen.width() - splash.width()) / 2.0);
    const int top = qRound((screen.height() - splash.height()) * 0.382);
    return screen.topLeft() + QPoint(left, top);
}

SplashWindow::SplashWindow(QWidget* mainWindow, const QRect& screen)
    : QWidget(mainWindow, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      mainWindow_(mainWindow) {
    setObjectName("frmLogo");
    setAccessibleName(QStringLiteral("Tavelmark ver1.0 药理学统计工作台"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kSplashSize);

    picture_ = QPixmap(QStringLiteral(":/pictures/splash.png"));

    if (mainWindow_) mainWindow_->setEnabled(false);
    timer_ = new QTimer(this);
    timer_->setObjectName("Timer1");
    timer_->setSingleShot(true);
    // a coarse timer may fire up to 5 % early: the main window must stay shut for the full time
    timer_->setTimerType(Qt::PreciseTimer);
    timer_->setInterval(kShowMilliseconds);
    connect(timer_, &QTimer::timeout, this, &QWidget::close);
    timer_->start();
    move(PlaceOnScreen(screen, kSplashSize));
}

// Painted here rather than by a label: the splash is a child window of the
// main window, so it is disabled with it, and a disabled label greys its picture.
void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(rect(), picture_);
}

void SplashWindow::closeEvent(QCloseEvent* event) {
    if (mainWindow_) mainWindow_->setEnabled(true);
    event->accept();
}

}  // namespace tavelmark::app

#include "moc_splash_window.cpp"
