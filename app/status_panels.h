#pragma once
// The main window's status bar `StatusBar1`: five panels, of which only the
// fourth (the status text) is ever written by the program.
#include <QStatusBar>

class QLabel;
class QTimer;

namespace tavelmark::app {

class StatusPanels : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusPanels(QWidget* parent = nullptr);

    void setStatusText(const QString& text);
    QString statusText() const;

    // The fixed support line of panel 1 (also its tool tip).
    static QString supportText();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refreshIndicators();

    QLabel* support_;
    QLabel* numLock_;
    QLabel* clock_;
    QLabel* status_;
    QLabel* empty_;
    QTimer* tick_;
    bool numLockSeen_ = false;  // toggled by the key where the platform cannot tell
};

}  // namespace tavelmark::app
