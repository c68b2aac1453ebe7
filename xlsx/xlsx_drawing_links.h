#pragma once
// libxlsxwriter 1.1.4 numbers a sheet's drawing part by counting every sheet
// that has a background picture or a chart, but writes a drawing part only for
// sheets with charts. A chart on a sheet after one with only a background
// picture then links to a drawing part that does not exist, and the file is
// damaged. These helpers find that case and mend the sheet's link.
#include <optional>
#include <string>

#include "model/workbook.h"

namespace tavelmark::xlsx {

// Whether some sheet with charts follows a sheet that has a background
// picture and no chart: only then are the links off.
bool DrawingLinksNeedRepair(const model::Workbook& model);

// A sheet's relationships part with its drawing link pointing at drawing part
// `drawingNumber`; nullopt when it has no drawing link or already does.
std::optional<std::string> WithDrawingNumber(const std::string& relsXml, int drawingNumber);

// Whether a sheet's relationships part links a drawing.
bool LinksDrawing(const std::string& relsXml);

}  // namespace tavelmark::xlsx
