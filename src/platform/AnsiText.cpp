#include "platform/AnsiText.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace pravik::AnsiText {

namespace {
// The Windows code page 949. ICU's plain "CP949" is IBM's variant, which reads
// byte 0x5C as a won sign and writes a backslash as 0x82, corrupting paths.
const char* const kCodePage = "windows-949";
} // namespace

QString Decode(const QByteArray& bytes) {
    QStringDecoder decoder(kCodePage);
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

QByteArray Encode(const QString& text) {
    QStringEncoder encoder(kCodePage);
    if (!encoder.isValid())
        return text.toLatin1();
    return encoder.encode(text);
}

} // namespace pravik::AnsiText
