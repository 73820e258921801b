#include "app/program_folder.h"

#include <QDir>
#include <QStandardPaths>

namespace orvala::app {

QString resolveProgramFolder(const QString& homeArgument) {
    QString folder = homeArgument;
    if (folder.isEmpty()) folder = qEnvironmentVariable("ORVALA_HOME");
    if (folder.isEmpty()) {
        QString data = qEnvironmentVariable("XDG_DATA_HOME");
        if (data.isEmpty()) data = QDir::homePath() + "/.local/share";
        folder = data + "/Orvala/Orvala";
    }
    QDir().mkpath(folder);
    return QDir(folder).absolutePath();
}

}  // namespace orvala::app
