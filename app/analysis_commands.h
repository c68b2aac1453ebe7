#pragma once
// The analyses built into this program, as the main window offers them.
#include <map>

#include <QAction>
#include <QString>

#include "ui/workbench.h"

namespace tavelmark::app {

// Adds the menu commands of every analysis in the list to the table, and
// enables the menu entries each of them provides (`actions` by object name).
void RegisterAnalysisCommands(ui::CommandTable& table, const std::map<QString, QAction*>& actions);

// Opens an analysis file in the data-entry window of its analysis, as
// `tavelmark FILE` and the desktop entry do: an open window of that analysis
// is asked about its unsaved changes first; a new one gets its template and
// then the file. A file that cannot be opened gets a message. False when
// nothing was opened.
bool OpenAnalysisFile(ui::Workbench& workbench, const QString& path);

}  // namespace tavelmark::app
