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

// The form an edit field shows, in which every byte can be seen and
// EncodeVisible(DecodeVisible(b)) == b for any bytes b:
// - CP949 characters (ASCII and the two-byte ones) are shown as themselves;
// - every other byte (a lone lead byte, a byte of another encoding, a control
//   character) is shown as "\x" and two upper-case hex digits: "\xC7";
// - backslashes just before an "x" and two hex digits are doubled, so that
//   the text "\x41" shows as "\\x41"; every other backslash is shown once,
//   so paths read as they are ("C:\Logs").
// Reading back, an odd number of backslashes before "x" and two hex digits
// (of either case) ends in the byte of those digits; an even number stands
// for half as many backslashes and the text "x.." after them.
QString DecodeVisible(const QByteArray& bytes);
QByteArray EncodeVisible(const QString& text);

} // namespace AnsiText
} // namespace pravik
