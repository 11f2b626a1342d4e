#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace pravik {

// The small file layer every reader and writer goes through.
namespace FileSystem {

bool FileExists(const QString& path);

// Renames from -> to, never replacing an existing target. Returns false on
// any failure (target present, source missing, permissions).
bool RenameNoReplace(const QString& from, const QString& to);

// Reads the whole file; throws PlatformError("Cannot open file %s").
QByteArray ReadWholeFile(const QString& path);

// Replaces the file at path with data atomically (QSaveFile): on failure the
// previous content stays untouched. Throws PlatformError built from
// failureFormat (one of the formats of PlatformError.h).
void AtomicWrite(const QString& path, const QByteArray& data, const char* failureFormat);

// The safe-save path for every file we rewrite: an existing file is first
// renamed to path + ".bak" (never replacing an older backup; a failed rename
// is ignored), then data is written through AtomicWrite. When the write
// fails, the file is put back under its name, so nothing changes.
void SafeSave(const QString& path, const QByteArray& data, const char* failureFormat);

// Appends data to the file at path (made when missing), for logs that only
// ever grow: nothing already in the file is rewritten, so there is nothing
// for a backup to keep. A short write is reported; the injected failures of
// InjectWriteFailure apply here too. Throws PlatformError built from
// failureFormat.
void AppendToFile(const QString& path, const QByteArray& data, const char* failureFormat);

// The two halves of SafeSave, for writers that need the file's old text when
// it stays in place. MoveToBackup renames an existing file to path + ".bak"
// and tells whether it did; WriteAfterBackup writes through AtomicWrite and,
// when that fails, renames the backup it made back to path.
bool MoveToBackup(const QString& path);
void WriteAfterBackup(const QString& path, const QByteArray& data, const char* failureFormat,
                      bool movedToBackup);

// Failure injection for tests. Permissions do not stop root, so a refused
// write is made here instead: the atomic writes after the first
// `succeedFirst` fail at `step`, through the same paths a full disk or a
// refusing file system takes (a short write really leaves a partial
// temporary file, which is then discarded). std::nullopt ends it.
enum class WriteStep { Open, Write, Flush, Commit };
struct WriteFailure {
    WriteStep step;
    int succeedFirst = 0;
};
void InjectWriteFailure(std::optional<WriteFailure> failure);

} // namespace FileSystem
} // namespace pravik
