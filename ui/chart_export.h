#pragma once
// A report chart as a picture file for a paper: a PNG at 300 dots per inch
// or an SVG drawing, each of the chart as it shows in the result window.
#include <QByteArray>
#include <QString>

QT_BEGIN_NAMESPACE
class QChart;
QT_END_NAMESPACE

namespace tavelmark::ui {

inline constexpr int kChartPictureDpi = 300;

// The chart at its on-screen size (laid out at `screenDpi`), drawn again at
// 300 dpi: the same shape in inches, with the resolution in the file.
QByteArray ChartPngBytes(QChart& chart, double screenDpi);
// The chart as vector drawing, sized in the screen's pixels.
QByteArray ChartSvgBytes(QChart& chart, double screenDpi);

// Writes the bytes whole or not at all; false with the path and the cause in
// *error.
bool SaveChartPicture(const QString& path, const QByteArray& bytes, QString* error);

}  // namespace tavelmark::ui
