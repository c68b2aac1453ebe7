#include "ui/chart_export.h"

#include <cmath>
#include <filesystem>
#include <fstream>

#include <QBuffer>
#include <QChart>
#include <QDir>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <vector>

#include "files/atomic_file.h"
#include "ui/qt_text.h"

namespace tavelmark::ui {
namespace {

void RenderChart(QChart& chart, QPainter& painter, const QRectF& target) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    chart.scene()->render(&painter, target, chart.geometry(), Qt::IgnoreAspectRatio);
}

// The fonts an SVG text asks for, its own first: the report's narrow faces,
// the CJK faces of the common systems, and last a generic family that
// every renderer resolves to a face with Chinese glyphs where one exists.
QString SvgFontFamilies(const QFont& font) {
    QStringList families = font.families();
    if (families.isEmpty()) families << font.family();
    for (const char* fallback : {"Arial", "Liberation Sans", "Noto Sans CJK SC", "Source Han Sans SC",
                                 "Microsoft YaHei", "SimHei", "WenQuanYi Micro Hei"}) {
        const QString name = QString::fromLatin1(fallback);
        if (!families.contains(name)) families << name;
    }
    QStringList quoted;
    for (const QString& name : families) quoted << QStringLiteral("'%1'").arg(name.toHtmlEscaped());
    return quoted.join(QStringLiteral(", ")) + QStringLiteral(", sans-serif");
}

QString SvgNumber(double v) { return QString::number(v, 'g', 6); }

// One text item of the chart as one SVG text element, anchored at the middle
// of its line, so that a renderer with another face keeps it whole and in
// its place. `toPicture` maps the scene onto the picture.
QString SvgText(const QGraphicsTextItem& item, const QTransform& toPicture, double dotsPerInch) {
    const QTextBlock block = item.document()->firstBlock();
    const QTextLayout* layout = block.layout();
    if (!layout || layout->lineCount() == 0) return {};
    const QTextLine line = layout->lineAt(0);
    const QPointF anchor = layout->position() + QPointF(line.x() + line.naturalTextWidth() / 2, line.y() + line.ascent());
    const QTransform m = item.sceneTransform() * toPicture;
    const QFont font = item.font();
    const double pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * dotsPerInch / 72.0;
    return QStringLiteral("<text x=\"%1\" y=\"%2\" text-anchor=\"middle\" transform=\"matrix(%3,%4,%5,%6,%7,%8)\" "
                          "font-family=\"%9\" font-size=\"%10\" font-weight=\"%11\" fill=\"%12\" "
                          "xml:space=\"preserve\">%13</text>\n")
        .arg(SvgNumber(anchor.x()), SvgNumber(anchor.y()), SvgNumber(m.m11()), SvgNumber(m.m12()),
             SvgNumber(m.m21()), SvgNumber(m.m22()), SvgNumber(m.dx()), SvgNumber(m.dy()))
        .arg(SvgFontFamilies(font), SvgNumber(pixels), font.bold() ? QStringLiteral("bold") : QStringLiteral("normal"),
             item.defaultTextColor().name(), item.toPlainText().toHtmlEscaped());
}

// The chart's shown texts: titles and tick labels.
std::vector<QGraphicsTextItem*> ShownTexts(QChart& chart) {
    std::vector<QGraphicsTextItem*> texts;
    for (QGraphicsItem* item : chart.scene()->items())
        if (auto* text = dynamic_cast<QGraphicsTextItem*>(item);
            text && text->isVisible() && chart.isAncestorOf(text) && !text->toPlainText().isEmpty())
            texts.push_back(text);
    return texts;
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
    // The generator writes a text as one element per run of one script and
    // face, placed by this machine's face, and names only that face: the
    // shapes are drawn without their texts, which follow whole.
    const std::vector<QGraphicsTextItem*> texts = ShownTexts(chart);
    for (QGraphicsTextItem* text : texts) text->setVisible(false);
    {
        QPainter painter(&svg);
        RenderChart(chart, painter, QRectF(QPointF(0, 0), size));
    }
    for (QGraphicsTextItem* text : texts) text->setVisible(true);
    const QTransform toPicture = QTransform::fromTranslate(-chart.geometry().x(), -chart.geometry().y());
    QString elements;
    for (const QGraphicsTextItem* text : texts) elements += SvgText(*text, toPicture, screenDpi);
    const qsizetype end = bytes.lastIndexOf("</svg>");
    if (end >= 0) bytes.insert(end, elements.toUtf8());
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
