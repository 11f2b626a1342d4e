#pragma once

#include "codegen/GeneratedText.h"

#include <QByteArray>
#include <QDate>
#include <QString>

namespace pravik {

class SmlDocument;

// The include guard of a header: its file name without directory, the
// extension (from the last point) replaced by "h", in upper case
// ("C:\Work\Tool.h" gives TOOLH).
QByteArray IncludeGuard(const QString& headerPath);

// "yyyy. mm. dd", the date line of both banners.
QByteArray BannerDate(const QDate& date);

// The whole generated header for doc, as bytes (CR LF line ends). Only
// reads the document; throws PlatformError("Cannot create file %s") when
// the text would exceed maxBytes.
QByteArray GenerateHeaderText(const SmlDocument& doc, const QString& headerPath, const QDate& date,
                              qint64 maxBytes = kDefaultMaxGeneratedBytes);

// Builds the header and saves it at path (an existing file becomes
// path + ".bak" first). Throws PlatformError("Cannot create file %s").
void WriteHeader(const SmlDocument& doc, const QString& path, const QDate& date);

} // namespace pravik
