#include "app/ReleaseNotes.h"

#include <QDir>
#include <QFileInfo>

namespace pravik {

QString ReleaseNotesPath(const QString& executableDir) {
    const QDir bin(executableDir);
    const QString beside = bin.filePath(QStringLiteral("Readme.txt"));
    if (QFileInfo(beside).isFile())
        return beside;
    const QString installed = QDir::cleanPath(
        bin.filePath(QStringLiteral(PRAVIK_DATA_FROM_BIN) + QStringLiteral("/Readme.txt")));
    return QFileInfo(installed).isFile() ? installed : beside;
}

} // namespace pravik
