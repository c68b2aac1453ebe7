#include "ui/chart_builder.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsTextItem>
#include <QImage>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QValueAxis>

#include "ui/error_bars.h"
#include "ui/point_labels.h"
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

// The spreadsheet's automatic series colours, in series order.
QColor AutomaticColour(int series) { return ToQColor(PaletteColour(model::AutomaticSeriesColourIndex(series))); }

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

// More points than this in one circle series are drawn as light markers.
constexpr std::size_t kManyPoints = 64;

// Drawn four times finer than the screen's pixels, so that a printed or
// PDF page, where the picture is scaled up, shows round dots.
constexpr int kMarkerOversampling = 4;

QImage CircleMarker(double size, const QColor& fill, const QColor& border) {
    const int side = static_cast<int>(std::ceil(size)) * kMarkerOversampling;
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(fill);
    painter.setPen(QPen(border, kMarkerOversampling));
    const double inset = kMarkerOversampling / 2.0;
    painter.drawEllipse(QRectF(inset, inset, side - 2 * inset, side - 2 * inset));
    return image;
}

QAbstractSeries* MakeSeries(const ChartSeries& series, const std::vector<std::pair<double, double>>& points,
                            int number, double dotsPerInch) {
    if (series.kind == SeriesKind::ScatterLinesNoMarkers) {
        auto* line = new QLineSeries;
        for (const auto& [x, y] : points) line->append(x, y);
        QPen pen(ColourOrAutomatic(series.lineColourIndex, number));
        pen.setWidthF(1.5);
        if (series.dashedLine) pen.setStyle(Qt::DashLine);
        line->setPen(pen);
        return line;
    }
    const QScatterSeries::MarkerShape shape = ShapeOf(series.markerStyle, number);
    const double size = std::max(2.0, series.markerSize / 72.0 * dotsPerInch);  // marker sizes are points
    const QColor border = ColourOrAutomatic(series.lineColourIndex, number);
    const QColor fill = ColourOrAutomatic(series.markerBackgroundColourIndex, number);
    // Every point of a scatter series is a graphics item of its own, placed
    // again at each resize: ten groups of 300 dots took most of the time from
    // 计算 to the painted window. Many circles are stamped instead, as one
    // picture at each point of a line series that draws no line.
    if (shape == QScatterSeries::MarkerShapeCircle && series.markerStyle != MarkerStyle::None &&
        points.size() > kManyPoints) {
        auto* stamped = new QLineSeries;
        for (const auto& [x, y] : points) stamped->append(x, y);
        stamped->setPen(Qt::NoPen);
        stamped->setMarkerSize(size);
        stamped->setLightMarker(CircleMarker(size, fill, border));
        return stamped;
    }
    auto* scatter = new QScatterSeries;
    for (const auto& [x, y] : points) scatter->append(x, y);
    scatter->setMarkerSize(size);
    scatter->setMarkerShape(shape);
    if (series.markerStyle == MarkerStyle::None) {
        scatter->setBrush(Qt::NoBrush);
        scatter->setPen(Qt::NoPen);
    } else {
        scatter->setBrush(fill);
        scatter->setPen(QPen(border, 1));
    }
    return scatter;
}

void StyleAxis(QAbstractAxis* axis, const ChartAxis& from) {
    axis->setGridLineVisible(from.majorGridlines);
    axis->setTitleText(ToQString(from.title));
    axis->setLinePenColor(Qt::black);
    axis->setLabelsColor(Qt::black);
    QFont font = SheetFont("Microsoft Sans Serif", 9);
    axis->setLabelsFont(font);
    font.setPointSizeF(10);
    axis->setTitleFont(font);
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
    // An axis's own span and step replace the chosen ones.
    if (from.minimum || from.maximum) {
        const double minimum = from.minimum.value_or(axis->min());
        const double maximum = from.maximum.value_or(axis->max());
        if (minimum < maximum) axis->setRange(minimum, maximum);
    }
    if (from.majorUnit && *from.majorUnit > 0) {
        axis->setTickType(QValueAxis::TicksDynamic);
        axis->setTickAnchor(axis->min());
        axis->setTickInterval(*from.majorUnit);
    }
    axis->setLabelFormat(AxisLabelFormat(from.tickNumberFormat));
    StyleAxis(axis, from);
    // The spreadsheet's format of no numbers at all.
    if (from.tickNumberFormat == ";;;") axis->setLabelsVisible(false);
}

// A value axis that labels only the given values, with their texts.
QValueAxis* NewValueAxis(const ChartAxis& from) {
    if (from.tickLabels.empty()) return new QValueAxis;
    auto* axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    return axis;
}

void PlaceTickLabels(QValueAxis* axis, const ChartAxis& from) {
    auto* labelled = qobject_cast<QCategoryAxis*>(axis);
    if (!labelled) return;
    labelled->setStartValue(axis->min());
    for (const model::TickLabel& label : from.tickLabels)
        if (label.value > axis->min() && label.value <= axis->max()) labelled->append(ToQString(label.text), label.value);
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

namespace {

QChart* NewChartView(const Chart& chart) {
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
    return view;
}

struct Extent {
    double low = std::numeric_limits<double>::infinity(), high = -low;
    void include(double v) {
        low = std::min(low, v);
        high = std::max(high, v);
    }
};

QLineSeries* ErrorBarSeries(const std::vector<QPointF>& path) {
    auto* line = new QLineSeries;
    for (const QPointF& p : path) line->append(p);
    line->setPen(QPen(Qt::black, 1));
    return line;
}

void AddAttached(QChart& view, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y) {
    view.addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}

bool HasColumns(const Chart& chart) {
    return std::any_of(chart.series.begin(), chart.series.end(),
                       [](const ChartSeries& s) { return s.kind == SeriesKind::Column; });
}

// Bars on a category axis, labelled by the texts of the first column
// series's x cells; error bars over each bar. Bars stand on zero.
QChart* BuildColumnChart(const Chart& chart, const SheetLookup& sheets) {
    constexpr double kBarWidth = 0.5;  // of a category's width
    QChart* view = NewChartView(chart);
    auto* xAxis = new QBarCategoryAxis;
    auto* yAxis = new QValueAxis;
    view->addAxis(xAxis, Qt::AlignBottom);
    view->addAxis(yAxis, Qt::AlignLeft);
    auto* bars = new QBarSeries;
    bars->setBarWidth(kBarWidth);
    Extent y;
    y.include(0);
    std::vector<std::vector<QPointF>> whiskers;
    std::vector<const ChartSeries*> columns;
    for (const ChartSeries& s : chart.series)
        if (s.kind == SeriesKind::Column) columns.push_back(&s);
    for (std::size_t set = 0; set < columns.size(); ++set) {
        const ChartSeries& s = *columns[set];
        const Sheet* sheet = sheets ? sheets(s.sheetName) : nullptr;
        if (!sheet) continue;
        if (xAxis->count() == 0)
            for (const CellRef& c : CellsOf(s.xValues)) xAxis->append(ToQString(model::PlainText(sheet->value(c))));
        auto* bar = new QBarSet(QString());
        bar->setColor(ColourOrAutomatic(s.fillColourIndex, static_cast<int>(set)));
        bar->setBorderColor(Qt::black);
        const std::vector<CellRef> cells = CellsOf(s.yValues);
        const auto amounts = SeriesErrorAmounts(*sheet, s);
        // Qt sets the bars of several series side by side within the bar width.
        const double slot = kBarWidth / static_cast<double>(columns.size());
        const double offset = -kBarWidth / 2 + slot * (static_cast<double>(set) + 0.5);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const auto* v = std::get_if<double>(&sheet->value(cells[i]));
            const double value = v && std::isfinite(*v) ? *v : 0;
            bar->append(value);
            y.include(value);
            if (i < amounts.size() && amounts[i]) {
                whiskers.push_back(ErrorBarPath(static_cast<double>(i) + offset, value, *amounts[i], slot / 4));
                y.include(value + amounts[i]->plus);
                y.include(value - amounts[i]->minus);
            }
        }
        bars->append(bar);
    }
    AddAttached(*view, bars, xAxis, yAxis);
    for (const auto& path : whiskers) AddAttached(*view, ErrorBarSeries(path), xAxis, yAxis);
    StyleAxis(xAxis, chart.xAxis);
    ShapeAxis(yAxis, chart.yAxis, y.low, y.high);
    return view;
}

QChart* BuildScatterChart(const Chart& chart, const SheetLookup& sheets, double dotsPerInch) {
    QChart* view = NewChartView(chart);
    QValueAxis* xAxis = NewValueAxis(chart.xAxis);
    QValueAxis* yAxis = NewValueAxis(chart.yAxis);
    view->addAxis(xAxis, Qt::AlignBottom);
    view->addAxis(yAxis, Qt::AlignLeft);
    Extent x, y;
    struct Bar {
        double x, y;
        ErrorAmounts amounts;
    };
    std::vector<Bar> bars;
    struct Labelled {
        QAbstractSeries* made;
        const ChartSeries* series;
        const Sheet* sheet;
    };
    std::vector<Labelled> labelled;
    int number = 0;
    for (const ChartSeries& series : chart.series) {
        const Sheet* sheet = sheets ? sheets(series.sheetName) : nullptr;
        const auto points = sheet ? SeriesPoints(*sheet, series) : std::vector<std::pair<double, double>>{};
        for (const auto& [px, py] : points) {
            x.include(px);
            y.include(py);
        }
        if (sheet && series.errorPlus && series.errorMinus) {
            const auto amounts = SeriesErrorAmounts(*sheet, series);
            const std::vector<CellRef> xs = CellsOf(series.xValues), ys = CellsOf(series.yValues);
            for (std::size_t i = 0; i < amounts.size() && i < xs.size() && i < ys.size(); ++i) {
                const auto* px = std::get_if<double>(&sheet->value(xs[i]));
                const auto* py = std::get_if<double>(&sheet->value(ys[i]));
                if (!amounts[i] || !px || !py) continue;
                bars.push_back({*px, *py, *amounts[i]});
                y.include(*py + amounts[i]->plus);
                y.include(*py - amounts[i]->minus);
            }
        }
        QAbstractSeries* made = MakeSeries(series, points, number++, dotsPerInch);
        AddAttached(*view, made, xAxis, yAxis);
        if (sheet && series.labels) labelled.push_back({made, &series, sheet});
    }
    ShapeAxis(xAxis, chart.xAxis, x.low, x.high);
    ShapeAxis(yAxis, chart.yAxis, y.low, y.high);
    PlaceTickLabels(xAxis, chart.xAxis);
    PlaceTickLabels(yAxis, chart.yAxis);
    // Caps a fiftieth of the x axis wide.
    const double cap = (xAxis->max() - xAxis->min()) / 100;
    for (const Bar& bar : bars) AddAttached(*view, ErrorBarSeries(ErrorBarPath(bar.x, bar.y, bar.amounts, cap)), xAxis, yAxis);
    for (const Labelled& l : labelled) {
        const std::vector<CellRef> xs = CellsOf(l.series->xValues), ys = CellsOf(l.series->yValues),
                                   texts = CellsOf(*l.series->labels);
        std::vector<PointLabel> labels;
        for (std::size_t i = 0; i < xs.size() && i < ys.size() && i < texts.size(); ++i) {
            const auto* px = std::get_if<double>(&l.sheet->value(xs[i]));
            const auto* py = std::get_if<double>(&l.sheet->value(ys[i]));
            if (px && py) labels.push_back({QPointF(*px, *py), ToQString(model::PlainText(l.sheet->value(texts[i])))});
        }
        AddPointLabels(*view, *l.made, labels, l.series->labelPosition);
    }
    return view;
}

}  // namespace

QChart* BuildChart(const Chart& chart, const SheetLookup& sheets, double dotsPerInch) {
    return HasColumns(chart) ? BuildColumnChart(chart, sheets) : BuildScatterChart(chart, sheets, dotsPerInch);
}

}  // namespace tavelmark::ui
