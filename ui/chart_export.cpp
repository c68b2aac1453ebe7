#include "ui/chart_export.h"

#include <cmath>
#include <filesystem>
#include <fstream>

#include <QBuffer>
#include <QChart>
#include <QDir>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include "files/atomic_file.h"
#include "ui/qt_text.h"

namespace tavelmark::ui {
namespace {

void RenderChart(QChart& chart, QPainter& painter, const QRectF& target) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    chart.scene()->render(&painter, target, chart.geometry(), Qt::IgnoreAspectRatio);
}

}  // namespace

QByteArray ChartPngBytes(QChart& chart, double screenDpi) {
    const double scale = kChartPictureDpi / screenDpi;
    const QSizeF onScreen = chart.size();
    QImage image(static_cast<int>(std::lround(onScreen.width() * scale)),
                 static_cast<int>(std::lround(onScreen.height() * scale)), QImage::Format_ARGB32_Premultiplied);
    const int dotsPerMeter = static_cast<int>(std::lround(kChartPictureDpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        RenderChart(chart, painter, QRectF(QPointF(0, 0), QSizeF(image.size())));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray ChartSvgBytes(QChart& chart, double screenDpi) {
    const QSizeF size = chart.size();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size.toSize());
    svg.setViewBox(QRectF(QPointF(0, 0), size));
    svg.setResolution(static_cast<int>(std::lround(screenDpi)));
    svg.setTitle(chart.title());
    {
        QPainter painter(&svg);
        RenderChart(chart, painter, QRectF(QPointF(0, 0), size));
    }
    return bytes;
}

bool SaveChartPicture(const QString& path, const QByteArray& bytes, QString* error) {
    std::string why;
    const bool saved = files::SaveFileAtomically(
        ToStdString(QDir::toNativeSeparators(path)),
        [&bytes](const std::string& temporary, std::string* cause) {
            std::ofstream out(std::filesystem::u8path(temporary), std::ios::binary | std::ios::trunc);
            out.write(bytes.constData(), bytes.size());
            out.flush();
            if (!out) *cause = "写入失败";
            return static_cast<bool>(out);
        },
        &why);
    if (!saved && error != nullptr) *error = ToQString(why);
    return saved;
}

}  // namespace tavelmark::ui
