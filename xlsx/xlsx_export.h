#pragma once
// Writes a result workbook to an .xlsx file.
#include <optional>
#include <string>

#include "model/workbook.h"

namespace tavelmark::xlsx {

// Everything the workbook holds: values, rich text, fonts, colours,
// alignment, number formats, bottom rules, merges, column widths, gridlines,
// background picture, charts and the selected cell. Saved the one safe way
// (SaveFileAtomically): afterwards `path` holds the whole workbook or what it
// held before, and a target that is not a regular file is refused. Returns
// false and sets *error (when given, naming the path and the cause) on failure.
//
// Numbers are written in their shortest text that reads back as the same
// double (the model holds no NaN or infinity: see Sheet::setValue). What the
// file format cannot hold is written the way a spreadsheet shows it: a merged
// area keeps only its first cell's value and format, and a merge overlapping
// an earlier one is left out. A background picture that is missing or unreadable
// is left out silently: it is decoration and must not cost the user the report.
// Rows are 12.75 points high for size-10 text; a row holding a larger font is
// made as high as that font needs.
bool SaveXlsx(const model::Workbook& workbook, const std::string& path, std::string* error = nullptr);

// The same file as bytes, for writing to standard output.
std::optional<std::string> XlsxBytes(const model::Workbook& workbook, std::string* error = nullptr);

}  // namespace tavelmark::xlsx
