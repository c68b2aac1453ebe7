#pragma once
// The main window's document area, with its picture behind the documents.
#include <QImage>
#include <QMdiArea>
#include <QPixmap>

#include <future>

namespace tavelmark::app {

class PictureMdiArea : public QMdiArea {
    Q_OBJECT
public:
    explicit PictureMdiArea(QWidget* parent = nullptr);
    ~PictureMdiArea() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The picture is decoded on another thread while the rest of the window
    // is built. A paint before it is ready shows the plain background (the
    // splash covers the window then) and the area repaints once it arrives,
    // so the window's first paint never waits for the decoder.
    std::future<QImage> decoding_;
    QPixmap picture_;
    QPixmap scaled_;
    QSize scaledFor_;
};

}  // namespace tavelmark::app
