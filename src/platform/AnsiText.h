#pragma once

#include <QByteArray>
#include <QString>

namespace pravik {

// Node texts and file contents are bytes in the ANSI code page (CP949 for
// Korean). These convert for display and for dialog fields only; files are
// never transcoded.
namespace AnsiText {

QString Decode(const QByteArray& bytes);
QByteArray Encode(const QString& text);

} // namespace AnsiText
} // namespace pravik
