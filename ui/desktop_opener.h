#pragma once
// Handing a saved file to the program the user's desktop opens it with.
#include <functional>

#include <QString>

namespace tavelmark::ui {

// Opens the file at `path` in another program; false when no program could
// take it. Injectable, so that windows can be tested without a desktop.
using FileOpener = std::function<bool(const QString& path)>;

// The desktop's program for the file's type (an .xlsx file: the spreadsheet
// program). False when the desktop names no program for that type, or when
// the program could not be started.
bool OpenWithDesktopProgram(const QString& path);

}  // namespace tavelmark::ui
