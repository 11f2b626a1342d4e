#include "gui/AnsiField.h"

#include "platform/AnsiText.h"

#include <QLineEdit>
#include <QVariant>

namespace pravik::AnsiField {

namespace {
const char* const kOriginalBytes = "pravikOriginalBytes";
const char* const kOriginalText = "pravikOriginalText";
} // namespace

void SetText(QLineEdit* edit, const QByteArray& bytes) {
    const QString text = AnsiText::Decode(bytes);
    edit->setText(text);
    edit->setProperty(kOriginalBytes, bytes);
    edit->setProperty(kOriginalText, text);
}

QByteArray Bytes(const QLineEdit* edit) {
    const QVariant original = edit->property(kOriginalText);
    if (original.isValid() && original.toString() == edit->text())
        return edit->property(kOriginalBytes).toByteArray();
    return AnsiText::Encode(edit->text());
}

} // namespace pravik::AnsiField
