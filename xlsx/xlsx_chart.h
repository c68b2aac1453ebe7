#pragma once
// Writes the charts of a sheet (XY scatter, or columns) as embedded chart objects.
#include <string>

#include <xlsxwriter.h>

#include "model/workbook.h"
#include "xlsx/xlsx_layout.h"

namespace tavelmark::xlsx {

// Adds `chart` to `worksheet`, anchored where its left/top points fall on
// the sheet. A chart without series has nothing to draw and is left out.
// Returns false and sets *error when the library refuses it.
bool WriteXlsxChart(lxw_workbook* workbook, lxw_worksheet* worksheet, const model::Sheet& sheet,
                    const RowHeights& rows, const model::Chart& chart, std::string* error);

}  // namespace tavelmark::xlsx
