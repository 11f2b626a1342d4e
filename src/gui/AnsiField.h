#pragma once

#include <QByteArray>

class QLineEdit;

namespace pravik {

// Fields that show bytes of the ANSI code page (node texts, values of a
// ".cfg" file). The field remembers the bytes it was given, so that Bytes
// returns the very same bytes while the user has not changed the text: bytes
// that do not decode cleanly (another encoding, a character cut in half)
// survive unless the user edits that field, which is then encoded from what
// it shows.
namespace AnsiField {

void SetText(QLineEdit* edit, const QByteArray& bytes);
QByteArray Bytes(const QLineEdit* edit);

} // namespace AnsiField
} // namespace pravik
