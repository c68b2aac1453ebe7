#pragma once
// The menu commands of the analyses built into this program.
#include "ui/workbench.h"

namespace tavelmark::app {

// Each analysis whose window library is linked adds its commands (its menu
// entries' object names) to the table.
void RegisterAnalysisCommands(ui::CommandTable& table);

}  // namespace tavelmark::app
