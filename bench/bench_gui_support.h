#pragma once
// What the desktop benchmarks share: one QApplication on a real or an
// offscreen screen, and waiting for a window's first paint.
#include <benchmark/benchmark.h>

#include <functional>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QWidget>

#include "app/main_window.h"
#include "ui/result_window.h"

namespace tavelmark::bench {

// Notes the first paint event of any widget the predicate picks. Painting
// happens in the event loop, in one pass per window, so once the event that
// carried it has been handled the whole window is on the screen.
class PaintWatcher : public QObject {
public:
    explicit PaintWatcher(std::function<bool(QWidget*)> picks) : picks_(std::move(picks)) {
        qApp->installEventFilter(this);
    }
    ~PaintWatcher() override { qApp->removeEventFilter(this); }

    bool painted() const { return painted_; }
    void reset() { painted_ = false; }

    // Handles events until the paint came; false after `limitMs` without one.
    bool waitForPaint(int limitMs = 10000) {
        QElapsedTimer clock;
        clock.start();
        while (!painted_) {
            if (clock.elapsed() > limitMs) return false;
            QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
        }
        return true;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!painted_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
            picks_(static_cast<QWidget*>(watched)))
            painted_ = true;
        return false;
    }

private:
    std::function<bool(QWidget*)> picks_;
    bool painted_ = false;
};

// Handles events for a while: the windows shown so far are on the screen and
// painted, as they are long before the user's first press.
inline void Settle(int milliseconds = 500) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
}

// Deleted widgets go at once, outside the timed part.
inline void FlushDeletes() {
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

// The result window a widget belongs to, or nullptr.
inline ui::ResultWindow* ResultWindowOf(QWidget* widget) {
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget())
        if (auto* result = qobject_cast<ui::ResultWindow*>(w)) return result;
    return nullptr;
}

inline void CloseResultWindows(app::MainWindow& main) {
    for (QMdiSubWindow* sub : main.mdiArea()->subWindowList())
        if (qobject_cast<ui::ResultWindow*>(sub->widget()) != nullptr) sub->close();
    FlushDeletes();
}

// One press of a data-entry window's 计算 until the new result window has
// painted, repeated; the result windows are closed between presses, untimed.
// Any widget of a result window counts: the report view paints the sheet.
inline void TimeCalculateToResultWindow(benchmark::State& state, app::MainWindow& main,
                                        QAbstractButton& calculate) {
    Settle();
    PaintWatcher watcher([](QWidget* widget) { return ResultWindowOf(widget) != nullptr; });
    for (auto _ : state) {
        calculate.click();
        if (!watcher.waitForPaint()) {
            state.SkipWithError("no result window was painted");
            break;
        }
        state.PauseTiming();
        CloseResultWindows(main);
        watcher.reset();
        state.ResumeTiming();
    }
}

// Answers every question box of the program No as soon as it shows, as the
// command line does: an outlier question does not stop a timed calculation,
// and the report goes on with the data as given.
class QuestionAnswerer : public QObject {
public:
    QuestionAnswerer() { qApp->installEventFilter(this); }
    ~QuestionAnswerer() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            if (auto* box = qobject_cast<QMessageBox*>(watched))
                QMetaObject::invokeMethod(box, [box] {
                    if (QAbstractButton* no = box->button(QMessageBox::No)) no->click();
                    else box->reject();
                }, Qt::QueuedConnection);
        return false;
    }
};

// main() of a desktop benchmark: the X server when there is one (the real
// drawing path), else the offscreen screen; QT_QPA_PLATFORM overrides both.
// `registerBenchmarks` adds those registered at run time, once the
// application exists.
inline int RunGuiBenchmarks(int argc, char** argv, const std::function<void()>& registerBenchmarks = {}) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "offscreen" : "xcb");
    QApplication app(argc, argv);
    benchmark::AddCustomContext("qt_platform", QApplication::platformName().toStdString());
    if (registerBenchmarks) registerBenchmarks();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace tavelmark::bench
