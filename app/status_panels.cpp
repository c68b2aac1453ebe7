#include "app/status_panels.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTime>
#include <QTimer>

#include "app/num_lock_state.h"
#include "report/status_text.h"

namespace tavelmark::app {
namespace {

// Panel widths in twips; at 96 dpi one pixel is 15 twips.
constexpr int kTwipsPerPixel = 15;

// A panel's accessible name is its text (what a screen reader reads out);
// the description says which panel it is.
QLabel* AddPanel(QStatusBar& bar, int widthTwips, const QString& description, int stretch = 0) {
    auto* label = new QLabel(&bar);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMinimumWidth(widthTwips / kTwipsPerPixel);
    if (stretch == 0) label->setFixedWidth(widthTwips / kTwipsPerPixel);
    label->setAccessibleDescription(description);
    bar.addWidget(label, stretch);
    return label;
}

}  // namespace

QString StatusPanels::supportText() {
    return QStringLiteral("技术支持：使用方法与常见问题见“帮助”菜单中的“Quorin帮助主题”");
}

StatusPanels::StatusPanels(QWidget* parent) : QStatusBar(parent) {
    setObjectName("StatusBar1");
    setAccessibleName(QStringLiteral("状态栏"));
    setSizeGripEnabled(false);
    support_ = AddPanel(*this, 6570, QStringLiteral("技术支持"));
    numLock_ = AddPanel(*this, 1440, QStringLiteral("数字锁定"));
    clock_ = AddPanel(*this, 1440, QStringLiteral("时间"));
    status_ = AddPanel(*this, 3000, QStringLiteral("状态"));
    empty_ = AddPanel(*this, 1440, QStringLiteral("空白"), 1);
    support_->setText(supportText());
    support_->setToolTip(supportText());
    numLock_->setAlignment(Qt::AlignCenter);
    clock_->setAlignment(Qt::AlignCenter);
    status_->setObjectName("StatusText");

    tick_ = new QTimer(this);
    tick_->setInterval(1000);
    connect(tick_, &QTimer::timeout, this, &StatusPanels::refreshIndicators);
    tick_->start();
    // Where the windowing system cannot report the num-lock state, the panel
    // follows the num-lock key as the program sees it.
    qApp->installEventFilter(this);
    refreshIndicators();
}

void StatusPanels::setStatusText(const QString& text) {
    status_->setText(text);
    // The text must show at once: the command that set it keeps the
    // user-interface thread busy until it ends.
    status_->repaint();
}

QString StatusPanels::statusText() const { return status_->text(); }

bool StatusPanels::eventFilter(QObject* watched, QEvent* event) {
    // A key press is offered to the focus widget first, then to its parents:
    // count it once, at its first receiver.
    QWidget* first = QApplication::focusWidget();
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        (first != nullptr ? watched == first : static_cast<QWidget*>(watched)->isWindow())) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_NumLock && !key->isAutoRepeat()) {
            numLockSeen_ = !numLockSeen_;
            refreshIndicators();
        }
    }
    return QStatusBar::eventFilter(watched, event);
}

void StatusPanels::refreshIndicators() {
    const bool numLock = QueryNumLock().value_or(numLockSeen_);
    numLock_->setText(numLock ? QStringLiteral("NUM") : QString());
    clock_->setText(QTime::currentTime().toString(QStringLiteral("HH:mm")));
}

}  // namespace tavelmark::app

#include "moc_status_panels.cpp"
