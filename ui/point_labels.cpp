#include "ui/point_labels.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include <QAbstractSeries>
#include <QGraphicsSimpleTextItem>
#include <QMargins>

#include "ui/sheet_metrics.h"

namespace tavelmark::ui {

namespace {

constexpr double kGapPixels = 2;

struct PlacedLabel {
    QGraphicsSimpleTextItem* item;
    QPointF at;
};

}  // namespace

void AddPointLabels(QChart& chart, QAbstractSeries& series, const std::vector<PointLabel>& labels,
                    model::LabelPosition position) {
    auto placed = std::make_shared<std::vector<PlacedLabel>>();
    for (const PointLabel& label : labels) {
        if (label.text.isEmpty()) continue;
        auto* item = new QGraphicsSimpleTextItem(label.text, &chart);
        item->setFont(SheetFont("Microsoft Sans Serif", 9));
        item->setBrush(Qt::black);
        placed->push_back({item, label.at});
    }
    if (placed->empty()) return;
    // Texts under the lowest points stand where tick labels would: the chart
    // keeps room for them below the plot.
    if (position == model::LabelPosition::Below) {
        double tallest = 0;
        for (const PlacedLabel& label : *placed) tallest = std::max(tallest, label.item->boundingRect().height());
        chart.setMargins(chart.margins() + QMargins(0, 0, 0, static_cast<int>(std::ceil(tallest + 2 * kGapPixels))));
    }
    QAbstractSeries* on = &series;
    const auto place = [&chart, on, placed, position]() {
        for (const PlacedLabel& label : *placed) {
            const QPointF point = chart.mapToPosition(label.at, on);
            const QRectF box = label.item->boundingRect();
            const double top = position == model::LabelPosition::Above ? point.y() - box.height() - kGapPixels
                                                                       : point.y() + kGapPixels;
            label.item->setPos(point.x() - box.width() / 2, top);
        }
    };
    QObject::connect(&chart, &QChart::plotAreaChanged, &chart, place);
    place();
}

}  // namespace tavelmark::ui
