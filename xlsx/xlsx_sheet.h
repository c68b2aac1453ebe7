#pragma once
// Writes one report sheet into a libxlsxwriter worksheet: columns, rows,
// cells, merges, gridlines, background, charts and the selected cell.
#include <string>

#include <xlsxwriter.h>

#include "model/workbook.h"
#include "xlsx/xlsx_formats.h"

namespace tavelmark::xlsx {

bool WriteXlsxSheet(lxw_workbook* workbook, lxw_worksheet* worksheet, XlsxFormats& formats,
                    const model::Sheet& sheet, std::string* error);

}  // namespace tavelmark::xlsx
