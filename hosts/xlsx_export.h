#pragma once
// Writes a result workbook to an .xlsx file.
#include <string>

#include "hosts/workbook.h"

namespace tavelmark {

// Everything the workbook holds: values, rich text, fonts, colours,
// alignment, number formats, bottom rules, merges, column widths, gridlines,
// background picture, charts and the selected cell. Returns false and sets
// *error (when given) on failure.
bool SaveXlsx(const Workbook& workbook, const std::string& path, std::string* error = nullptr);

}  // namespace tavelmark
