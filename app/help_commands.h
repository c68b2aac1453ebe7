#pragma once
// The three commands of the help menu.
#include <QString>

class QWidget;

namespace tavelmark::app {

inline constexpr const char* kHelpDocument = "help/index.html";

// Opens the help document of `resourceDir` in the help browser (one browser,
// brought forward when already open). A missing document gets a message and
// nothing else: the main window stays usable.
void OpenHelpTopic(QWidget* owner, const QString& resourceDir);

void ShowReferences(QWidget* owner);
void ShowAbout(QWidget* owner);

}  // namespace tavelmark::app
