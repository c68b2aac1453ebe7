#include "app/picture_mdi_area.h"

#include <QPainter>

#include <chrono>

namespace tavelmark::app {

PictureMdiArea::PictureMdiArea(QWidget* parent)
    : QMdiArea(parent),
      decoding_(std::async(std::launch::async, [this] {
          QImage image(QStringLiteral(":/pictures/background.png"));
          // Runs on the area's own thread. The area cannot be gone before
          // it: its destructor waits for this thread before the QObject goes,
          // and that drops the call if it is still queued.
          QMetaObject::invokeMethod(this, [this] { viewport()->update(); }, Qt::QueuedConnection);
          return image;
      })) {
    setObjectName("mdiArea");
    setAccessibleName(QStringLiteral("工作区"));
    setBackground(QColor(0xc9, 0xd7, 0xe6));
}

// An area closed before its first paint waits for the decoding thread.
PictureMdiArea::~PictureMdiArea() = default;

// The picture covers the whole area at any window size, cropped rather than
// stretched out of proportion; the crop keeps its lower right corner, where
// the program's name is.
void PictureMdiArea::paintEvent(QPaintEvent* event) {
    QMdiArea::paintEvent(event);
    if (decoding_.valid() && decoding_.wait_for(std::chrono::seconds(0)) == std::future_status::ready)
        picture_ = QPixmap::fromImage(decoding_.get());
    if (picture_.isNull()) return;
    const QSize area = viewport()->size();
    if (scaled_.isNull() || scaledFor_ != area) {
        // scaled once per size: smooth scaling of the full picture on every
        // repaint would slow down dragging the documents around
        scaled_ = picture_.scaled(area, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
        scaledFor_ = area;
    }
    QPainter painter(viewport());
    painter.drawPixmap(QPoint(area.width() - scaled_.width(), area.height() - scaled_.height()), scaled_);
}

}  // namespace tavelmark::app

#include "moc_picture_mdi_area.cpp"
