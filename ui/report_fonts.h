#pragma once
// The fonts the result windows draw their reports in, loaded ahead of the
// first report. Finding a family's fallbacks and opening its font files
// (the CJK ones are large) costs tens of milliseconds the first time a font
// is used, which the user's first 计算 would otherwise wait for.
#include <vector>

#include <QFont>

namespace tavelmark::ui {

// Loads the report font at the sizes the reports and their charts use, with
// the faces that draw Latin letters, digits and Chinese. The fonts stay
// loaded while the returned list lives.
std::vector<QFont> LoadReportFonts();

}  // namespace tavelmark::ui
