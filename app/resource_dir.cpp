#include "app/resource_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tavelmark::app {

QString FindResourceDir() {
    const QString besideProgram = QDir(QCoreApplication::applicationDirPath()).filePath("resources");
    if (QFileInfo(besideProgram).isDir()) return besideProgram;
#ifdef TAVELMARK_SOURCE_RESOURCES
    if (QFileInfo(QStringLiteral(TAVELMARK_SOURCE_RESOURCES)).isDir()) return QStringLiteral(TAVELMARK_SOURCE_RESOURCES);
#endif
    return QCoreApplication::applicationDirPath();
}

}  // namespace tavelmark::app
