#pragma once
// The main window's document area, with its picture behind the documents.
#include <QMdiArea>
#include <QPixmap>

namespace tavelmark::app {

class PictureMdiArea : public QMdiArea {
    Q_OBJECT
public:
    explicit PictureMdiArea(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
    QPixmap scaled_;
    QSize scaledFor_;
};

}  // namespace tavelmark::app
