#pragma once

#include <QByteArray>

class QLineEdit;

namespace pravik {

// Fields that show bytes of the ANSI code page (node texts, values of a
// ".cfg" file). A field shows every byte (AnsiText::DecodeVisible): what
// does not decode as CP949 appears as "\xC7", so the user sees it, and an
// edit keeps every byte it does not touch. Bytes returns the very bytes the
// field was given while its text is unchanged.
namespace AnsiField {

void SetText(QLineEdit* edit, const QByteArray& bytes);
QByteArray Bytes(const QLineEdit* edit);

} // namespace AnsiField
} // namespace pravik
