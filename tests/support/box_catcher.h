#pragma once
// Answers the modal message boxes a command shows and remembers them, so a
// test can run the command synchronously.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <vector>

namespace tavelmark::test {

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon;
};

class BoxCatcher : public QObject {
public:
    BoxCatcher() {
        timer_.setInterval(20);
        connect(&timer_, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr || !modal->isVisible()) return;
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                boxes.push_back({box->windowTitle(), box->text(), box->icon()});
                box->done(QMessageBox::Ok);
            } else {
                modal->close();
            }
        });
        timer_.start();
    }
    std::vector<SeenBox> boxes;

private:
    QTimer timer_;
};

}  // namespace tavelmark::test
