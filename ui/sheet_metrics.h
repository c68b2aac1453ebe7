#pragma once
// Sizes of a spreadsheet on the screen: column widths in character units and
// row heights from the font size, as the spreadsheet lays out its standard
// font at 96 dots per inch, scaled to the screen's resolution.
#include <string>

#include <QFont>

#include "model/workbook.h"

namespace tavelmark::ui {

// The spreadsheet's rule: 7 pixels per character of the standard font,
// rounded, plus 5 pixels of padding; a zero width hides the column.
int ColumnWidthPixels(double characters, double dotsPerInch = 96);

// The automatic row height the spreadsheet gives a row whose largest font has
// this size: about 1.35 times the size, so 18 pixels for 10 points.
int RowHeightPixels(double fontPoints, double dotsPerInch = 96);

// One twip is 1/1440 inch; window layouts are given in twips.
int TwipsToPixels(double twips, double dotsPerInch = 96);

// A font by the name a template or report asks for, with fallbacks that
// exist on this machine when the named one does not (宋体, Microsoft Sans Serif).
QFont SheetFont(const std::string& name, double points);

QColor ToQColor(model::Rgb colour);

}  // namespace tavelmark::ui
