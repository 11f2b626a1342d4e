#pragma once

#include "codegen/GeneratedText.h"

#include <QByteArray>
#include <QDate>
#include <QString>

namespace pravik {

class SmlDocument;

// The header name the source file includes: the source's file name with its
// extension replaced by ".h" ("D:\work\msg.cpp" gives msg.h, "Data" gives
// Data.h).
QString HeaderNameForSource(const QString& sourcePath);

// The whole generated source file for doc, as bytes (CR LF line ends, the
// Korean comments in CP949). Only reads the document; throws
// PlatformError("Cannot create file %s") when the text would exceed maxBytes.
QByteArray GenerateSourceText(const SmlDocument& doc, const QString& sourcePath, const QDate& date,
                              qint64 maxBytes = kDefaultMaxGeneratedBytes);

// Builds the source file and saves it at path (an existing file becomes
// path + ".bak" first). Throws PlatformError("Cannot create file %s").
void WriteSource(const SmlDocument& doc, const QString& path, const QDate& date);

} // namespace pravik
