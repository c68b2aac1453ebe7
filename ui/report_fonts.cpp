#include "ui/report_fonts.h"

#include <QFontMetricsF>

#include "report/report_frame.h"
#include "ui/sheet_metrics.h"

namespace tavelmark::ui {

std::vector<QFont> LoadReportFonts() {
    // Cell texts are 10 points and titles 14; chart tick labels 9. A text
    // with a character of each script makes every fallback face load.
    const QString sample = QStringLiteral("0.05±ABCxyz(%) 半数致死量可信限");
    std::vector<QFont> fonts;
    for (double points : {9.0, 10.0, 14.0}) {
        QFont font = SheetFont(report::kReportFontName, points);
        QFontMetricsF(font).horizontalAdvance(sample);
        fonts.push_back(font);
    }
    return fonts;
}

}  // namespace tavelmark::ui
