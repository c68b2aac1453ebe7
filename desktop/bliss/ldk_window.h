#pragma once
// frmLDk: the LDk calculator. Every change of k recomputes the dose LDk with
// its 95 % limits from the probit line of the last Bliss calculation.
#include <QWidget>

#include "analyses/bliss/bliss_types.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavelmark::bliss::desktop {

class LDkWindow : public QWidget {
    Q_OBJECT
public:
    explicit LDkWindow(QWidget* parent = nullptr);

    // The line of the last calculation (a, b, S0, S4, S2, S1).
    void setHandOver(const bliss::BlissHandOver& line);
    const bliss::BlissHandOver& handOver() const { return line_; }

    QLineEdit* textBox(int number) const;  // TextBox1 (k) .. TextBox4
    QPushButton* cmdExit() const { return cmdExit_; }

    void setBeep(std::function<void()> beep) { beep_ = std::move(beep); }

signals:
    // 退出 or the close box: the data-entry window may be used again.
    void finished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void recompute();

    bliss::BlissHandOver line_;
    QLabel* labels_[4] = {};
    QLineEdit* boxes_[4] = {};
    QGroupBox* frame1_ = nullptr;
    QPushButton* cmdExit_ = nullptr;
    std::function<void()> beep_;
};

}  // namespace tavelmark::bliss::desktop
