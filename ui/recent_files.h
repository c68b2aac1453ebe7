#pragma once
// The analysis files each analysis's window saved or opened lately, newest
// first, kept in the user's settings (~/.config/Tavelmark/Tavelmark.conf)
// under the key "recentFiles/<analysis>", e.g. "recentFiles/bliss".
#include <string_view>

#include <QString>
#include <QStringList>

namespace tavelmark::ui {

inline constexpr int kRecentFilesKept = 8;

QStringList RecentFiles(std::string_view analysis);
void RememberRecentFile(std::string_view analysis, const QString& path);
void ForgetRecentFile(std::string_view analysis, const QString& path);

}  // namespace tavelmark::ui
