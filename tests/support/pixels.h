#pragma once
// Counting the pixels of a colour in a picture of a window or a page.
// Include as "support/pixels.h".
#include <QImage>
#include <QRect>

namespace tavelmark::test {

inline bool IsRed(QRgb p) { return qRed(p) > 180 && qGreen(p) < 100 && qBlue(p) < 100; }
inline bool IsBlue(QRgb p) { return qBlue(p) > 180 && qRed(p) < 100 && qGreen(p) < 100; }
inline bool IsDark(QRgb p) { return qGray(p) < 100; }

inline int CountPixels(const QImage& image, const QRect& area, bool (*wanted)(QRgb)) {
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (wanted(image.pixel(x, y))) ++count;
    return count;
}

}  // namespace tavelmark::test
