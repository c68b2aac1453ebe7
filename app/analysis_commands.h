#pragma once
// The menu commands of the analyses built into this program.
#include <QString>

#include "ui/workbench.h"

namespace tavelmark::app {

// Each analysis whose window library is linked adds its commands (its menu
// entries' object names) to the table.
void RegisterAnalysisCommands(ui::CommandTable& table);

// Opens an analysis file in the data-entry window of its analysis, as
// `tavelmark FILE` and the desktop entry do: an open window of that analysis
// is asked about its unsaved changes first; a new one gets its template and
// then the file. A file that cannot be opened gets a message. False when
// nothing was opened.
bool OpenAnalysisFile(ui::Workbench& workbench, const QString& path);

}  // namespace tavelmark::app
