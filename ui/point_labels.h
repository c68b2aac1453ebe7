#pragma once
// Texts at the points of a chart series (a significance mark above a group,
// a group's name under the axis): text items of the chart's scene, kept at
// their points whenever the plot area moves, so the window, the printed page
// and the exported picture show them alike.
#include <vector>

#include <QChart>
#include <QPointF>
#include <QString>

#include "model/workbook.h"

namespace tavelmark::ui {

struct PointLabel {
    QPointF at;  // in the series' values
    QString text;
};

void AddPointLabels(QChart& chart, QAbstractSeries& series, const std::vector<PointLabel>& labels,
                    model::LabelPosition position);

}  // namespace tavelmark::ui
