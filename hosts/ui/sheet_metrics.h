#pragma once
// Sizes of a spreadsheet on the screen: column widths in character units and
// row heights from the font size, as the spreadsheet lays out its standard
// font at 96 dots per inch, scaled to the screen's resolution.
#include <string>

#include <QFont>

#include "hosts/workbook.h"

namespace tavelmark::ui {

// The spreadsheet's rule: 7 pixels per character of the standard font,
// rounded, plus 5 pixels of padding; a zero width hides the column.
int ColumnWidthPixels(double characters, double dotsPerInch = 96);

// The automatic row height the spreadsheet gives a row whose largest font has
// this size: about 1.35 times the size, so 18 pixels for 10 points.
int RowHeightPixels(double fontPoints, double dotsPerInch = 96);

// One twip is 1/1440 inch; window layouts are given in twips.
int TwipsToPixels(double twips, double dotsPerInch = 96);

// Pixels between a cell's edge and its text, in the grids and the reports.
inline constexpr int kCellTextPadding = 2;

// This machine's fonts may be wider than the ones a template or report was
// sized for. A text at most a fifth too wide for the room it has is narrowed
// to fit rather than cut: the horizontal scale to draw it with (1 when it
// fits, and when narrowing would not be enough).
double NarrowingToFit(double textWidth, double room);

// A font by the name a template or report asks for, with fallbacks that
// exist on this machine when the named one does not (宋体, Microsoft Sans Serif).
QFont SheetFont(const std::string& name, double points);

QColor ToQColor(Rgb colour);

}  // namespace tavelmark::ui
