#pragma once
// What the user types or pastes into a grid cell, and what a cell gives back
// to the editor and the clipboard.
#include <vector>

#include <QString>

#include "model/cell_value.h"

namespace tavelmark::ui {

// A number when ReadCellNumber takes the text for one; empty for ""; the
// text, as typed, otherwise.
model::CellValue CellValueFromText(const QString& text);

// Numbers in their shortest form that reads back to the same double, so
// editing or copying a cell never loses digits the display format hides.
QString CellEditText(const model::CellValue& value);

// Rows of fields as spreadsheets put them on the clipboard: fields split by
// tabs, rows by line breaks (\r\n, \n or \r), fields with those characters
// in double quotes; a final line break ends the last row.
using TextTable = std::vector<std::vector<QString>>;
TextTable ParseTabSeparated(const QString& text);
QString ToTabSeparated(const TextTable& rows);

}  // namespace tavelmark::ui
