#include "ui/chart_builder.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsTextItem>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

#include "ui/qt_text.h"
#include "ui/sheet_metrics.h"

namespace tavelmark::ui {

using model::CellRef, model::Chart, model::ChartAxis, model::ChartSeries, model::MarkerStyle,
    model::PaletteColour, model::RangeRef, model::SeriesKind, model::Sheet;
namespace {

std::vector<CellRef> CellsOf(const RangeRef& range) {
    std::vector<CellRef> cells;
    for (int r = range.first.row; r <= range.last.row; ++r)
        for (int c = range.first.column; c <= range.last.column; ++c) cells.push_back({r, c});
    return cells;
}

// The spreadsheet's automatic series colours and markers, in series order.
QColor AutomaticColour(int series) {
    static const int kIndices[] = {25, 26, 27, 28, 29, 30, 31, 32};
    return ToQColor(PaletteColour(kIndices[series % 8]));
}

QColor ColourOrAutomatic(int index, int series) {
    return index > 0 ? ToQColor(PaletteColour(index)) : AutomaticColour(series);
}

QScatterSeries::MarkerShape ShapeOf(MarkerStyle style, int series) {
    switch (style) {
        case MarkerStyle::Square: return QScatterSeries::MarkerShapeRectangle;
        case MarkerStyle::Diamond: return QScatterSeries::MarkerShapeRotatedRectangle;
        case MarkerStyle::Triangle: return QScatterSeries::MarkerShapeTriangle;
        case MarkerStyle::Star: return QScatterSeries::MarkerShapeStar;
        case MarkerStyle::Automatic: {
            static const QScatterSeries::MarkerShape kOrder[] = {
                QScatterSeries::MarkerShapeRotatedRectangle, QScatterSeries::MarkerShapeRectangle,
                QScatterSeries::MarkerShapeTriangle, QScatterSeries::MarkerShapeStar,
                QScatterSeries::MarkerShapeCircle};
            return kOrder[series % 5];
        }
        default: return QScatterSeries::MarkerShapeCircle;
    }
}

QAbstractSeries* MakeSeries(const ChartSeries& series, const std::vector<std::pair<double, double>>& points,
                            int number, double dotsPerInch) {
    if (series.kind == SeriesKind::ScatterLinesNoMarkers) {
        auto* line = new QLineSeries;
        for (const auto& [x, y] : points) line->append(x, y);
        QPen pen(ColourOrAutomatic(series.lineColourIndex, number));
        pen.setWidthF(1.5);
        line->setPen(pen);
        return line;
    }
    auto* scatter = new QScatterSeries;
    for (const auto& [x, y] : points) scatter->append(x, y);
    // Marker sizes are points.
    scatter->setMarkerSize(std::max(2.0, series.markerSize / 72.0 * dotsPerInch));
    scatter->setMarkerShape(ShapeOf(series.markerStyle, number));
    const QColor border = ColourOrAutomatic(series.lineColourIndex, number);
    const QColor fill = ColourOrAutomatic(series.markerBackgroundColourIndex, number);
    if (series.markerStyle == MarkerStyle::None) {
        scatter->setBrush(Qt::NoBrush);
        scatter->setPen(Qt::NoPen);
    } else {
        scatter->setBrush(fill);
        scatter->setPen(QPen(border, 1));
    }
    return scatter;
}

void ShapeAxis(QValueAxis* axis, const ChartAxis& from, double low, double high) {
    if (!(low <= high)) {
        low = 0;
        high = 1;
    }
    if (low == high) {
        low -= 1;
        high += 1;
    }
    // A little room around the points so that no marker sits half outside.
    const double margin = (high - low) * 0.04;
    axis->setRange(low - margin, high + margin);
    axis->applyNiceNumbers();
    axis->setLabelFormat(AxisLabelFormat(from.tickNumberFormat));
    axis->setGridLineVisible(from.majorGridlines);
    axis->setTitleText(ToQString(from.title));
    axis->setLinePenColor(Qt::black);
    axis->setLabelsColor(Qt::black);
    QFont font = SheetFont("Microsoft Sans Serif", 9);
    axis->setLabelsFont(font);
    font.setPointSizeF(10);
    axis->setTitleFont(font);
}

// The texts the chart shows now, titles and tick labels.
void CollectShownTexts(const QGraphicsItem& item, QStringList& texts) {
    for (const QGraphicsItem* child : item.childItems()) {
        if (!child->isVisible()) continue;
        if (const auto* text = dynamic_cast<const QGraphicsTextItem*>(child)) texts << text->toPlainText();
        CollectShownTexts(*child, texts);
    }
}

}  // namespace

void FitChart(QChart& chart, const QSizeF& size) {
    // Qt shortens a title longer than its room to "...": the y-axis title
    // "回归几率单位(Yr)" is longer than the plot is high in the report's
    // 200 x 150 point chart. A title that does not show whole is set half a
    // point smaller at a time, down to 6 points.
    constexpr double kStep = 0.5, kSmallest = 6.0;
    chart.resize(size);
    for (bool shrunk = true; shrunk;) {
        if (QGraphicsLayout* layout = chart.layout()) layout->activate();
        QStringList shown;
        CollectShownTexts(chart, shown);
        shrunk = false;
        auto shrink = [&](const QString& title, QFont font, const auto& apply) {
            if (title.isEmpty() || shown.contains(title) || font.pointSizeF() - kStep < kSmallest) return;
            font.setPointSizeF(font.pointSizeF() - kStep);
            apply(font);
            shrunk = true;
        };
        shrink(chart.title(), chart.titleFont(), [&chart](const QFont& font) { chart.setTitleFont(font); });
        for (QAbstractAxis* axis : chart.axes())
            shrink(axis->titleText(), axis->titleFont(), [axis](const QFont& font) { axis->setTitleFont(font); });
    }
}

std::vector<std::pair<double, double>> SeriesPoints(const Sheet& sheet, const ChartSeries& series) {
    const std::vector<CellRef> xs = CellsOf(series.xValues);
    const std::vector<CellRef> ys = CellsOf(series.yValues);
    std::vector<std::pair<double, double>> points;
    for (std::size_t i = 0; i < std::min(xs.size(), ys.size()); ++i) {
        const auto* x = std::get_if<double>(&sheet.value(xs[i]));
        const auto* y = std::get_if<double>(&sheet.value(ys[i]));
        if (x && y && std::isfinite(*x) && std::isfinite(*y)) points.emplace_back(*x, *y);
    }
    return points;
}

QString AxisLabelFormat(const std::string& numberFormat) {
    const auto point = numberFormat.find('.');
    if (numberFormat.find('0') == std::string::npos) return QStringLiteral("%g");
    int decimals = 0;
    if (point != std::string::npos)
        for (std::size_t i = point + 1; i < numberFormat.size() && (numberFormat[i] == '0' || numberFormat[i] == '#'); ++i)
            ++decimals;
    return QStringLiteral("%.%1f").arg(decimals);
}

QChart* BuildChart(const Chart& chart, const SheetLookup& sheets, double dotsPerInch) {
    auto* view = new QChart;
    view->setBackgroundRoundness(0);
    view->setBackgroundBrush(Qt::white);
    view->setBackgroundPen(QPen(Qt::black, 1));
    view->setMargins(QMargins(6, 6, 6, 6));
    view->layout()->setContentsMargins(0, 0, 0, 0);  // room for the plot in a small chart
    view->legend()->setVisible(chart.legend);
    view->setPlotAreaBackgroundVisible(chart.plotAreaFill || chart.plotAreaBorder);
    view->setPlotAreaBackgroundBrush(chart.plotAreaFill ? QBrush(QColor(192, 192, 192)) : QBrush(Qt::NoBrush));
    view->setPlotAreaBackgroundPen(chart.plotAreaBorder ? QPen(QColor(128, 128, 128)) : QPen(Qt::NoPen));
    if (!chart.title.empty()) {
        view->setTitle(ToQString(chart.title));
        view->setTitleFont(SheetFont("Microsoft Sans Serif", chart.titleFontSize));
        view->setTitleBrush(Qt::black);
    }

    auto* xAxis = new QValueAxis;
    auto* yAxis = new QValueAxis;
    view->addAxis(xAxis, Qt::AlignBottom);
    view->addAxis(yAxis, Qt::AlignLeft);
    double xLow = std::numeric_limits<double>::infinity(), xHigh = -xLow;
    double yLow = xLow, yHigh = -xLow;
    int number = 0;
    for (const ChartSeries& series : chart.series) {
        const Sheet* sheet = sheets ? sheets(series.sheetName) : nullptr;
        const auto points = sheet ? SeriesPoints(*sheet, series) : std::vector<std::pair<double, double>>{};
        for (const auto& [x, y] : points) {
            xLow = std::min(xLow, x);
            xHigh = std::max(xHigh, x);
            yLow = std::min(yLow, y);
            yHigh = std::max(yHigh, y);
        }
        QAbstractSeries* shown = MakeSeries(series, points, number++, dotsPerInch);
        view->addSeries(shown);
        shown->attachAxis(xAxis);
        shown->attachAxis(yAxis);
    }
    ShapeAxis(xAxis, chart.xAxis, xLow, xHigh);
    ShapeAxis(yAxis, chart.yAxis, yLow, yHigh);
    return view;
}

}  // namespace tavelmark::ui
