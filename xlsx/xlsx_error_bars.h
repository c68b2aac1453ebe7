#pragma once
// Error bars of their own size at every point, in the chart parts of a
// written .xlsx file.
#include <optional>
#include <string>
#include <string_view>

#include "model/workbook.h"

namespace tavelmark::xlsx {

// True when a chart of `model` has a series with error amounts.
bool HasCustomErrorBars(const model::Workbook& model);

// libxlsxwriter writes error bars of one fixed size only. Given a chart part
// as it wrote it, this turns the fixed error bars of each series that has its
// own amounts in `model` (found by the sheet and range of its values) into
// custom ones whose plus and minus amounts are those cells. Nothing when no
// series of the part changes.
std::optional<std::string> WithCustomErrorBars(std::string_view chartXml, const model::Workbook& model);

}  // namespace tavelmark::xlsx
