#pragma once
// The start-up sequence: the main window comes up reading "初始化...", the
// splash covers it for three seconds with the main window disabled, and the
// status settles on "就绪".
namespace tavelmark::app {

class MainWindow;
class SplashWindow;

// Shows the main window and the splash; returns the splash, which closes
// itself after SplashWindow::kShowMilliseconds and enables the main window.
SplashWindow* StartUp(MainWindow& main);

}  // namespace tavelmark::app
