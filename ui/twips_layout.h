#pragma once
// A window's design in twips (1/1440 inch), placed on this screen: the
// data-entry windows and dialogs keep their designed sizes and positions.
#include <QRect>
#include <QSize>
#include <QWidget>

#include "ui/sheet_metrics.h"

namespace tavelmark::ui {

class TwipsLayout {
public:
    explicit TwipsLayout(const QWidget& widget) : dpiX_(widget.logicalDpiX()), dpiY_(widget.logicalDpiY()) {}

    int x(double twips) const { return TwipsToPixels(twips, dpiX_); }
    int y(double twips) const { return TwipsToPixels(twips, dpiY_); }
    QSize size(double width, double height) const { return {x(width), y(height)}; }
    QRect rect(double left, double top, double width, double height) const {
        return {x(left), y(top), x(width), y(height)};
    }

private:
    double dpiX_, dpiY_;
};

}  // namespace tavelmark::ui
