#include "app/ReleaseNotes.h"

#include <QDir>
#include <QFileInfo>

namespace pravik {

namespace {

QString DataFilePath(const QString& executableDir, const QString& name) {
    const QDir bin(executableDir);
    const QString beside = bin.filePath(name);
    if (QFileInfo(beside).isFile())
        return beside;
    const QString installed = QDir::cleanPath(
        bin.filePath(QStringLiteral(PRAVIK_DATA_FROM_BIN) + QLatin1Char('/') + name));
    return QFileInfo(installed).isFile() ? installed : beside;
}

} // namespace

QString ReleaseNotesPath(const QString& executableDir) {
    return DataFilePath(executableDir, QStringLiteral("Readme.txt"));
}

QString UserGuidePath(const QString& executableDir) {
    return DataFilePath(executableDir, QStringLiteral("README.md"));
}

} // namespace pravik
