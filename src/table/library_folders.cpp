#include "table/library_folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace orvala::table {

QString installedDataFolder() {
    if (QCoreApplication::instance() == nullptr) return {};
    const QString folder =
        QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/orvala");
    return QFileInfo(folder).isDir() ? folder : QString();
}

QStringList libraryFolders(const QString& programFolder) {
    const QDir program(programFolder);
    QStringList folders{program.absolutePath(), QDir::cleanPath(program.absoluteFilePath(".."))};
    if (const QString installed = installedDataFolder(); !installed.isEmpty()) folders << installed;
    return folders;
}

}  // namespace orvala::table
