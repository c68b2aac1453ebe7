#pragma once
// The analysis files each kind of window saved or opened lately, newest
// first, kept in the user's settings (~/.config/Tavelmark/Tavelmark.conf)
// under the key "recentFiles/<kind>", e.g. "recentFiles/bliss".
#include <QString>
#include <QStringList>

#include "documents/analysis_document.h"

namespace tavelmark::ui {

inline constexpr int kRecentFilesKept = 8;

QStringList RecentFiles(documents::AnalysisKind kind);
void RememberRecentFile(documents::AnalysisKind kind, const QString& path);
void ForgetRecentFile(documents::AnalysisKind kind, const QString& path);

}  // namespace tavelmark::ui
