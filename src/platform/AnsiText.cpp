#include "platform/AnsiText.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

namespace pravik::AnsiText {

namespace {
// The Windows code page 949. ICU's plain "CP949" is IBM's variant, which reads
// byte 0x5C as a won sign and writes a backslash as 0x82, corrupting paths.
const char* const kCodePage = "windows-949";

bool IsHexDigit(char16_t c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

int HexValue(char16_t c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    return (c >= 'a' ? c - 'a' : c - 'A') + 10;
}

bool IsControl(unsigned char b) {
    return b < 0x20 || b == 0x7F;
}

// "x" and two hex digits at text[at].
bool HexEscapeAt(const QString& text, qsizetype at) {
    return at + 2 < text.size() && text[at] == QLatin1Char('x') &&
           IsHexDigit(text[at + 1].unicode()) && IsHexDigit(text[at + 2].unicode());
}

// The character of a two-byte CP949 sequence, or 0 when the two bytes are
// not one character that encodes back to the very same bytes. (The round
// trip decides: a converter's error flag outlives resetState.)
char16_t PairCharacter(QStringDecoder& decoder, QStringEncoder& encoder, const char* pair) {
    decoder.resetState();
    const QString c = decoder.decode(QByteArrayView(pair, 2));
    if (c.size() != 1 || c[0] == QChar::ReplacementCharacter)
        return 0;
    encoder.resetState();
    if (QByteArray(encoder.encode(c)) != QByteArrayView(pair, 2))
        return 0;
    return c[0].unicode();
}

// One piece of the shown text: a character, or a byte shown as "\xHH".
struct Piece {
    char16_t character = 0; // 0: an escaped byte
    unsigned char byte = 0;
};

} // namespace

QString Decode(const QByteArray& bytes) {
    // Most texts are ASCII, which needs no converter (opening one costs more
    // than decoding a line).
    if (std::all_of(bytes.begin(), bytes.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return QString::fromLatin1(bytes);
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

QString DecodeVisible(const QByteArray& bytes) {
    QStringDecoder decoder(kCodePage, QStringDecoder::Flag::Stateless);
    QStringEncoder encoder(kCodePage, QStringEncoder::Flag::Stateless);
    const bool codec = decoder.isValid() && encoder.isValid();
    std::vector<Piece> pieces;
    pieces.reserve(static_cast<size_t>(bytes.size()));
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            pieces.push_back(IsControl(b) ? Piece{0, b} : Piece{b, b});
            continue;
        }
        const char16_t c = codec && i + 1 < bytes.size()
                               ? PairCharacter(decoder, encoder, bytes.constData() + i)
                               : 0;
        if (c) {
            pieces.push_back({c, 0});
            ++i;
        } else {
            pieces.push_back({0, b});
        }
    }

    QString text;
    text.reserve(bytes.size() + 8);
    const auto hex = [](int v) { return QLatin1Char("0123456789ABCDEF"[v]); };
    for (size_t i = 0; i < pieces.size(); ++i) {
        const Piece& p = pieces[i];
        if (p.character == '\\') {
            // A run of backslashes is doubled where the reader would take
            // its last one for the start of an escape.
            size_t end = i;
            while (end < pieces.size() && pieces[end].character == '\\')
                ++end;
            bool doubled = end < pieces.size() && pieces[end].character == 0;
            if (!doubled && end + 2 < pieces.size() && pieces[end].character == 'x')
                doubled =
                    IsHexDigit(pieces[end + 1].character) && IsHexDigit(pieces[end + 2].character);
            text += QString((end - i) * (doubled ? 2 : 1), QLatin1Char('\\'));
            i = end - 1;
        } else if (p.character) {
            text += QChar(p.character);
        } else {
            text += QLatin1String("\\x");
            text += hex(p.byte >> 4);
            text += hex(p.byte & 0xF);
        }
    }
    return text;
}

QByteArray EncodeVisible(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    qsizetype plain = 0; // start of the text not yet encoded
    const auto flush = [&](qsizetype end) {
        if (end > plain)
            bytes += Encode(text.mid(plain, end - plain));
    };
    for (qsizetype i = 0; i < text.size();) {
        if (text[i] != QLatin1Char('\\')) {
            ++i;
            continue;
        }
        flush(i);
        qsizetype end = i;
        while (end < text.size() && text[end] == QLatin1Char('\\'))
            ++end;
        const qsizetype run = end - i;
        if (HexEscapeAt(text, end)) {
            bytes += QByteArray(run / 2, '\\');
            if (run % 2) {
                bytes += static_cast<char>(HexValue(text[end + 1].unicode()) * 16 +
                                           HexValue(text[end + 2].unicode()));
                end += 3;
            }
        } else {
            bytes += QByteArray(run, '\\');
        }
        i = end;
        plain = end;
    }
    flush(text.size());
    return bytes;
}

} // namespace pravik::AnsiText
