#pragma once

#include <QByteArray>
#include <QString>

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
// is ignored), then data is written through AtomicWrite.
void SafeSave(const QString& path, const QByteArray& data, const char* failureFormat);

} // namespace FileSystem
} // namespace pravik
