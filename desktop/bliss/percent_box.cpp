#include "desktop/bliss/percent_box.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include "model/key_filter.h"

namespace tavelmark::bliss::desktop {

PercentBoxFilter::PercentBoxFilter(QLineEdit* box, std::function<void()> beep)
    : QObject(box), box_(box), beep_(std::move(beep)) {
    box->installEventFilter(this);
}

bool PercentBoxFilter::eventFilter(QObject* watched, QEvent* event) {
    if (watched != box_) return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Only typed characters pass the character filter; arrows, Delete and
        // the shortcuts are not characters. Ctrl combinations stay the box's.
        const QString text = key->text();
        if (text.size() != 1 || (key->modifiers() & Qt::ControlModifier)) return false;
        const char16_t c = text.at(0).unicode();
        if (c < 32 && c != 8) return false;
        return model::FilterKeyAscii(c, u"0123456789.", true, beep_) == 0;
    }
    case QEvent::FocusIn:
    case QEvent::MouseButtonRelease:
        // After the box has placed its cursor, so the selection stays.
        if (selectAllOnFocus_) QTimer::singleShot(0, box_, [box = box_] { box->selectAll(); });
        return false;
    default:
        return false;
    }
}

}  // namespace tavelmark::bliss::desktop

#include "moc_percent_box.cpp"
