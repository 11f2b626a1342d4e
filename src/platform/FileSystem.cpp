#include "platform/FileSystem.h"

#include "platform/PlatformError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace pravik::FileSystem {

bool FileExists(const QString& path) {
    QFileInfo info(path);
    return info.exists() && !info.isDir();
}

bool RenameNoReplace(const QString& from, const QString& to) {
    const QByteArray src = QFile::encodeName(from);
    const QByteArray dst = QFile::encodeName(to);
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, src.constData(), AT_FDCWD, dst.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
#endif
    // File systems without renameat2: a hard link fails when the target exists.
    if (::link(src.constData(), dst.constData()) != 0)
        return false;
    if (::unlink(src.constData()) != 0) {
        ::unlink(dst.constData());
        return false;
    }
    return true;
}

QByteArray ReadWholeFile(const QString& path) {
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        throw PlatformError::ForPath(kCannotOpenFile, path);
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw PlatformError::ForPath(kCannotOpenFile, path);
    return data;
}

void AtomicWrite(const QString& path, const QByteArray& data, const char* failureFormat) {
    QSaveFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::WriteOnly))
        throw PlatformError::ForPath(failureFormat, path);
    // QSaveFile::commit() does not report a short write found while flushing
    // (a full disk, a file size limit), so the flush is checked here.
    if (file.write(data) != data.size() || !file.flush()) {
        file.cancelWriting();
        throw PlatformError::ForPath(failureFormat, path);
    }
    if (!file.commit())
        throw PlatformError::ForPath(failureFormat, path);
}

void SafeSave(const QString& path, const QByteArray& data, const char* failureFormat) {
    if (FileExists(path))
        RenameNoReplace(path, path + QStringLiteral(".bak"));
    AtomicWrite(path, data, failureFormat);
}

} // namespace pravik::FileSystem
