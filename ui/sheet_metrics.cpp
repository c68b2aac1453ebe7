#include "ui/sheet_metrics.h"

#include <cmath>

#include <QColor>
#include <QStringList>

#include "ui/qt_text.h"

namespace tavelmark::ui {

int ColumnWidthPixels(double characters, double dotsPerInch) {
    if (characters <= 0) return 0;
    const double at96 = std::floor(characters * 7.0 + 0.5) + 5.0;
    return static_cast<int>(std::lround(at96 * dotsPerInch / 96.0));
}

int RowHeightPixels(double fontPoints, double dotsPerInch) {
    const double points = std::max(fontPoints, 1.0) * 1.35;
    return static_cast<int>(std::lround(points / 72.0 * dotsPerInch));
}

int TwipsToPixels(double twips, double dotsPerInch) {
    return static_cast<int>(std::lround(twips / 1440.0 * dotsPerInch));
}

QFont SheetFont(const std::string& name, double points) {
    const QString family = ToQString(name);
    QStringList families{family};
    // Song faces are serif, the rest sans; the CJK faces also carry Latin.
    const bool song = family.contains(QStringLiteral("宋")) ||
                      family.compare(QStringLiteral("SimSun"), Qt::CaseInsensitive) == 0;
    if (song)
        families << QStringLiteral("SimSun") << QStringLiteral("Noto Serif CJK SC");
    else
        // Narrow faces first: the reports' columns are sized for a narrow sans.
        families << QStringLiteral("Arial") << QStringLiteral("Liberation Sans")
                 << QStringLiteral("DejaVu Sans Condensed") << QStringLiteral("DejaVu Sans");
    families << QStringLiteral("Noto Sans CJK SC");
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(points > 0 ? points : 10);
    return font;
}

QColor ToQColor(model::Rgb colour) { return QColor(colour.red, colour.green, colour.blue); }

}  // namespace tavelmark::ui
