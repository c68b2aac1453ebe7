#pragma once
// The percent text boxes of the Bliss windows (background mortality, k of
// LDk): only digits, points and backspace can be typed, and a click or the
// focus selects the whole text so that typing replaces it.
#include <functional>

#include <QObject>

class QLineEdit;

namespace tavelmark::bliss::desktop {

class PercentBoxFilter : public QObject {
    Q_OBJECT
public:
    // Installs itself on the box; beep sounds for a refused key.
    PercentBoxFilter(QLineEdit* box, std::function<void()> beep);
    bool eventFilter(QObject* watched, QEvent* event) override;

    void setSelectAllOnFocus(bool on) { selectAllOnFocus_ = on; }

private:
    QLineEdit* box_;
    std::function<void()> beep_;
    bool selectAllOnFocus_ = true;
};

}  // namespace tavelmark::bliss::desktop
