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

namespace {

std::optional<WriteFailure> g_injected;
int g_writesSinceInjection = 0;

// The step at which this write is to fail, if any.
std::optional<WriteStep> InjectedFailure() {
    if (!g_injected || ++g_writesSinceInjection <= g_injected->succeedFirst)
        return std::nullopt;
    return g_injected->step;
}

} // namespace

void InjectWriteFailure(std::optional<WriteFailure> failure) {
    g_injected = failure;
    g_writesSinceInjection = 0;
}

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

void AppendToFile(const QString& path, const QByteArray& data, const char* failureFormat) {
    const std::optional<WriteStep> failAt = InjectedFailure();
    QFile file(path);
    if (path.isEmpty() || failAt == WriteStep::Open ||
        !file.open(QIODevice::WriteOnly | QIODevice::Append))
        throw PlatformError::ForPath(failureFormat, path);
    if (failAt || file.write(data) != data.size() || !file.flush())
        throw PlatformError::ForPath(failureFormat, path);
}

void AtomicWrite(const QString& path, const QByteArray& data, const char* failureFormat) {
    const std::optional<WriteStep> failAt = InjectedFailure();
    QSaveFile file(path);
    if (path.isEmpty() || failAt == WriteStep::Open || !file.open(QIODevice::WriteOnly))
        throw PlatformError::ForPath(failureFormat, path);
    // An injected short write stores half the data, as a full disk would.
    const qsizetype size = failAt == WriteStep::Write ? data.size() / 2 : data.size();
    // QSaveFile::commit() does not report a short write found while flushing
    // (a full disk, a file size limit), so the flush is checked here.
    const bool written = file.write(data.constData(), size) == data.size();
    if (!written || failAt == WriteStep::Write || !file.flush() || failAt == WriteStep::Flush) {
        file.cancelWriting();
        throw PlatformError::ForPath(failureFormat, path);
    }
    // A cancelled save file refuses its commit, as a refused rename would.
    if (failAt == WriteStep::Commit)
        file.cancelWriting();
    if (!file.commit())
        throw PlatformError::ForPath(failureFormat, path);
}

bool MoveToBackup(const QString& path) {
    return FileExists(path) && RenameNoReplace(path, path + QStringLiteral(".bak"));
}

void WriteAfterBackup(const QString& path, const QByteArray& data, const char* failureFormat,
                      bool movedToBackup) {
    try {
        AtomicWrite(path, data, failureFormat);
    } catch (const PlatformError&) {
        // Put the old file back, so a refused write changes nothing.
        if (movedToBackup)
            RenameNoReplace(path + QStringLiteral(".bak"), path);
        throw;
    }
}

void SafeSave(const QString& path, const QByteArray& data, const char* failureFormat) {
    WriteAfterBackup(path, data, failureFormat, MoveToBackup(path));
}

} // namespace pravik::FileSystem
