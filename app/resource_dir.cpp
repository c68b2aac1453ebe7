#include "app/resource_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tavelmark::app {

QString FindResourceDir() {
    const QString besideProgram = QDir(QCoreApplication::applicationDirPath()).filePath("resources");
    if (QFileInfo(besideProgram).isDir()) return besideProgram;
    const QString installed = QDir::cleanPath(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(TAVELMARK_DATADIR_FROM_BINDIR)));
    if (QFileInfo(installed).isDir()) return installed;
#ifdef TAVELMARK_SOURCE_RESOURCES
    if (QFileInfo(QStringLiteral(TAVELMARK_SOURCE_RESOURCES)).isDir()) return QStringLiteral(TAVELMARK_SOURCE_RESOURCES);
#endif
    return QCoreApplication::applicationDirPath();
}

}  // namespace tavelmark::app
