#include "gui/AnsiField.h"

#include "platform/AnsiText.h"

#include <QLineEdit>

namespace pravik::AnsiField {

void SetText(QLineEdit* edit, const QByteArray& bytes) {
    const QString shown = AnsiText::DecodeVisible(bytes);
    // Escapes lengthen a text: the field takes it whole, never cut, with
    // the usual room to type.
    if (shown.size() > edit->maxLength())
        edit->setMaxLength(static_cast<int>(shown.size()) + edit->maxLength());
    edit->setText(shown);
    // Say what the escapes are where they appear.
    const bool escaped = shown.contains(QLatin1Char('\\')) && shown != AnsiText::Decode(bytes);
    edit->setToolTip(escaped ? QStringLiteral("\\xC7처럼 보이는 부분은 CP949 문자가 아닌 "
                                              "바이트입니다. 고치지 않으면 그대로 저장됩니다. "
                                              "'\\x'와 16진수 두 자리 앞의 '\\\\'는 "
                                              "역슬래시 하나입니다.")
                             : QString());
}

QByteArray Bytes(const QLineEdit* edit) {
    return AnsiText::EncodeVisible(edit->text());
}

} // namespace pravik::AnsiField
