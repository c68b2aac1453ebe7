#pragma once
// The number cells of a written .xlsx file in their shortest round-trip text.
#include <string>

#include "model/workbook.h"

namespace tavelmark::xlsx {

// libxlsxwriter writes a number with 16 significant digits ("%.16G"), which
// reads back as another double for many values (0.1 + 0.2 as 0.3) and as
// infinity for the largest ones. This gives every number cell of the
// worksheet parts of the file at `xlsxPath`, written from `model` (its sheets
// in order as sheet1.xml, sheet2.xml, ...), the shortest text that reads back
// as the model's value: std::to_chars, 17 significant digits where needed.
// The file is left untouched when every text already is that one. Returns
// false and sets *error when the file cannot be read or rewritten. The same
// pass gives chart series their error bars of per-point size
// (xlsx_error_bars.h), which libxlsxwriter cannot write.
bool WriteShortestNumberTexts(const model::Workbook& model, const std::string& xlsxPath, std::string* error);

}  // namespace tavelmark::xlsx
