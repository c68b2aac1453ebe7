#include "ui/recent_files.h"

#include <QFileInfo>
#include <QSettings>

#include "ui/qt_text.h"

namespace tavelmark::ui {

namespace {

QString Key(std::string_view analysis) {
    return QStringLiteral("recentFiles/") + ToQString(analysis);
}

void Store(std::string_view analysis, const QStringList& files) {
    QSettings settings(QStringLiteral("Tavelmark"), QStringLiteral("Tavelmark"));
    settings.setValue(Key(analysis), files);
}

}  // namespace

QStringList RecentFiles(std::string_view analysis) {
    QSettings settings(QStringLiteral("Tavelmark"), QStringLiteral("Tavelmark"));
    return settings.value(Key(analysis)).toStringList();
}

void RememberRecentFile(std::string_view analysis, const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = RecentFiles(analysis);
    files.removeAll(absolute);
    files.prepend(absolute);
    while (files.size() > kRecentFilesKept) files.removeLast();
    Store(analysis, files);
}

void ForgetRecentFile(std::string_view analysis, const QString& path) {
    QStringList files = RecentFiles(analysis);
    if (files.removeAll(QFileInfo(path).absoluteFilePath()) > 0) Store(analysis, files);
}

}  // namespace tavelmark::ui
