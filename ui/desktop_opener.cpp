#include "ui/desktop_opener.h"

#include <optional>

#include <QDesktopServices>
#include <QMimeDatabase>
#include <QProcess>
#include <QUrl>

namespace tavelmark::ui {
namespace {

// The desktop file of the program the freedesktop.org MIME associations
// give for `mimeType`: empty when none does; nothing when they cannot be
// asked (no xdg-mime, as on systems other than Linux desktops).
std::optional<QString> DefaultApplicationFor(const QString& mimeType) {
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!query.waitForStarted(2000)) return std::nullopt;
    if (!query.waitForFinished(5000)) {
        query.kill();
        query.waitForFinished(1000);
        return std::nullopt;
    }
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0) return std::nullopt;
    return QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
}

}  // namespace

bool OpenWithDesktopProgram(const QString& path) {
    // QDesktopServices reports success as soon as it has started xdg-open,
    // which then finds no program (or falls back to a web browser), so the
    // associations are asked first.
    const QString mimeType = QMimeDatabase().mimeTypeForFile(path).name();
    if (const auto application = DefaultApplicationFor(mimeType); application && application->isEmpty())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace tavelmark::ui
