#include "ui/recent_files.h"

#include <QFileInfo>
#include <QSettings>

#include "ui/qt_text.h"

namespace tavelmark::ui {

namespace {

QString Key(documents::AnalysisKind kind) {
    return QStringLiteral("recentFiles/") + ToQString(documents::KindName(kind));
}

void Store(documents::AnalysisKind kind, const QStringList& files) {
    QSettings settings(QStringLiteral("Tavelmark"), QStringLiteral("Tavelmark"));
    settings.setValue(Key(kind), files);
}

}  // namespace

QStringList RecentFiles(documents::AnalysisKind kind) {
    QSettings settings(QStringLiteral("Tavelmark"), QStringLiteral("Tavelmark"));
    return settings.value(Key(kind)).toStringList();
}

void RememberRecentFile(documents::AnalysisKind kind, const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = RecentFiles(kind);
    files.removeAll(absolute);
    files.prepend(absolute);
    while (files.size() > kRecentFilesKept) files.removeLast();
    Store(kind, files);
}

void ForgetRecentFile(documents::AnalysisKind kind, const QString& path) {
    QStringList files = RecentFiles(kind);
    if (files.removeAll(QFileInfo(path).absoluteFilePath()) > 0) Store(kind, files);
}

}  // namespace tavelmark::ui
