#include "secs/CommonSmlEncoding.h"

#include <QHash>
#include <QStringDecoder>

#include <vector>

namespace pravik {

namespace {

// The Windows code page 949 (see AnsiText: ICU's plain "CP949" reads 0x5C
// as a won sign).
const char* const kCodePage = "windows-949";

constexpr int kFirstLead = 0x81;
constexpr int kLeads = 0xFE - kFirstLead + 1;

// Every double-byte character of CP949 and back, built once from the
// platform's converter: the writer asks for each pair it quotes, the reader
// for each character of a UTF-8 file.
class Cp949Table {
public:
    Cp949Table() : m_toUnicode(size_t(kLeads) * 256, 0) {
        QStringDecoder decoder(kCodePage, QStringDecoder::Flag::Stateless);
        if (!decoder.isValid())
            return;
        char pair[2];
        for (int lead = kFirstLead; lead <= 0xFE; ++lead) {
            for (int trail = 0x41; trail <= 0xFE; ++trail) {
                if ((trail > 0x5A && trail < 0x61) || (trail > 0x7A && trail < 0x81))
                    continue;
                pair[0] = static_cast<char>(lead);
                pair[1] = static_cast<char>(trail);
                // (An ICU decoder's error flag stays set once raised, even
                // across resetState(): the replacement character tells.)
                const QString s = decoder.decode(QByteArrayView(pair, 2));
                if (s.size() != 1 || s[0] == QChar::ReplacementCharacter || s[0].unicode() < 0x80)
                    continue;
                const char16_t c = s[0].unicode();
                // One pair per character, so that every quoted pair comes back.
                if (m_fromUnicode.contains(c))
                    continue;
                m_fromUnicode.insert(c, static_cast<quint16>(lead << 8 | trail));
                m_toUnicode[size_t(lead - kFirstLead) * 256 + size_t(trail)] = c;
            }
        }
    }
    char16_t toUnicode(quint8 lead, quint8 trail) const {
        if (lead < kFirstLead || lead > 0xFE)
            return 0;
        return m_toUnicode[size_t(lead - kFirstLead) * 256 + trail];
    }
    // 0 when the character has no CP949 pair.
    quint16 fromUnicode(char16_t c) const { return m_fromUnicode.value(c, 0); }

private:
    std::vector<char16_t> m_toUnicode;
    QHash<char16_t, quint16> m_fromUnicode;
};

const Cp949Table& Table() {
    static const Cp949Table table;
    return table;
}

// Counts lines and columns over a text as its characters go by.
class Place {
public:
    // One character (its first unit); a CR LF pair counts as one line end.
    void advance(char32_t c) {
        if (c == '\n') {
            if (!m_afterCr)
                newLine();
            m_afterCr = false;
            return;
        }
        m_afterCr = c == '\r';
        if (m_afterCr)
            newLine();
        else
            ++m_column;
    }
    int line() const { return m_line; }
    int column() const { return m_column; }

private:
    void newLine() {
        ++m_line;
        m_column = 1;
    }
    int m_line = 1;
    int m_column = 1;
    bool m_afterCr = false;
};

template <typename Result> void AddIssue(Result& r, const Place& at, const QString& message) {
    if (r.issueCount++ < kMaxListedEncodingIssues)
        r.issues.push_back({at.line(), at.column(), message});
}

QString CodePointText(char32_t c) {
    return QStringLiteral("U+%1").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0')).toUpper();
}

// Unicode text as CP949; characters without a CP949 form become "?".
void ToCp949(const QString& text, DecodedSml& out) {
    const Cp949Table& table = Table();
    out.text.reserve(text.size() * 2);
    Place place;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < n && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i].unicode(), text[i + 1].unicode());
            ++i;
        }
        if (c < 0x80) {
            out.text.append(static_cast<char>(c));
        } else if (const quint16 pair = c <= 0xFFFF ? table.fromUnicode(char16_t(c)) : 0) {
            out.text.append(static_cast<char>(pair >> 8)).append(static_cast<char>(pair & 0xFF));
        } else {
            out.text.append('?');
            AddIssue(out, place,
                     QStringLiteral("CP949에 없는 문자 %1을(를) '?'로 바꿨습니다")
                         .arg(CodePointText(c)));
        }
        place.advance(c);
    }
}

QString Decoded(QByteArrayView bytes, QStringConverter::Encoding encoding) {
    QStringDecoder decoder(encoding);
    return decoder.decode(bytes);
}

} // namespace

std::optional<SmlEncoding> SmlEncodingFromName(const QString& name) {
    const QString n = name.toLower();
    if (n == QLatin1String("utf-8") || n == QLatin1String("utf8"))
        return SmlEncoding::Utf8;
    if (n == QLatin1String("cp949") || n == QLatin1String("euc-kr"))
        return SmlEncoding::Cp949;
    if (n == QLatin1String("utf-16le"))
        return SmlEncoding::Utf16LE;
    if (n == QLatin1String("utf-16be"))
        return SmlEncoding::Utf16BE;
    return std::nullopt;
}

QString SmlEncodingName(SmlEncoding encoding) {
    switch (encoding) {
    case SmlEncoding::Auto:
        return QStringLiteral("auto");
    case SmlEncoding::Utf8:
        return QStringLiteral("UTF-8");
    case SmlEncoding::Cp949:
        return QStringLiteral("CP949");
    case SmlEncoding::Utf16LE:
        return QStringLiteral("UTF-16LE");
    case SmlEncoding::Utf16BE:
        return QStringLiteral("UTF-16BE");
    }
    return QString();
}

QString EncodingIssue::text() const {
    return QStringLiteral("줄 %1, 열 %2: %3").arg(line).arg(column).arg(message);
}

bool IsCp949Pair(quint8 lead, quint8 trail) {
    return Table().toUnicode(lead, trail) != 0;
}

bool IsValidUtf8(QByteArrayView bytes) {
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const auto b = static_cast<quint8>(bytes[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        int more;
        char32_t c;
        if (b >= 0xC2 && b <= 0xDF) {
            more = 1;
            c = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            more = 2;
            c = b & 0x0F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            more = 3;
            c = b & 0x07;
        } else {
            return false;
        }
        for (int k = 1; k <= more; ++k) {
            if (i + k >= n)
                return false;
            const auto t = static_cast<quint8>(bytes[i + k]);
            if ((t & 0xC0) != 0x80)
                return false;
            c = (c << 6) | (t & 0x3F);
        }
        // Overlong forms, surrogates and code points beyond Unicode.
        if ((more == 2 && c < 0x800) || (more == 3 && c < 0x10000) || c > 0x10FFFF ||
            (c >= 0xD800 && c <= 0xDFFF))
            return false;
        i += more + 1;
    }
    return true;
}

DecodedSml DecodeSmlFile(QByteArrayView file, SmlEncoding chosen) {
    DecodedSml out;
    SmlEncoding encoding = chosen;
    QByteArrayView body = file;
    // A byte-order mark decides, unless an encoding was chosen; a mark of the
    // chosen encoding is dropped all the same.
    const bool utf8Bom = file.startsWith("\xEF\xBB\xBF");
    const bool leBom = file.startsWith("\xFF\xFE");
    const bool beBom = file.startsWith("\xFE\xFF");
    if (encoding == SmlEncoding::Auto) {
        if (utf8Bom)
            encoding = SmlEncoding::Utf8;
        else if (leBom)
            encoding = SmlEncoding::Utf16LE;
        else if (beBom)
            encoding = SmlEncoding::Utf16BE;
        else
            encoding = IsValidUtf8(file) ? SmlEncoding::Utf8 : SmlEncoding::Cp949;
    }
    if (encoding == SmlEncoding::Utf8 && utf8Bom)
        body = file.sliced(3);
    else if ((encoding == SmlEncoding::Utf16LE && leBom) ||
             (encoding == SmlEncoding::Utf16BE && beBom))
        body = file.sliced(2);
    out.encoding = encoding;
    switch (encoding) {
    case SmlEncoding::Auto:
    case SmlEncoding::Cp949:
        out.text = body.toByteArray(); // the bytes as they are
        break;
    case SmlEncoding::Utf8: {
        bool ascii = true;
        for (const char c : body)
            if (static_cast<quint8>(c) >= 0x80) {
                ascii = false;
                break;
            }
        if (ascii)
            out.text = body.toByteArray(); // the same bytes in both
        else
            ToCp949(Decoded(body, QStringConverter::Utf8), out);
        break;
    }
    case SmlEncoding::Utf16LE:
        ToCp949(Decoded(body, QStringConverter::Utf16LE), out);
        break;
    case SmlEncoding::Utf16BE:
        ToCp949(Decoded(body, QStringConverter::Utf16BE), out);
        break;
    }
    return out;
}

EncodedSml EncodeSmlFile(QByteArrayView cp949, SmlEncoding encoding) {
    EncodedSml out;
    if (encoding == SmlEncoding::Cp949) {
        out.bytes = cp949.toByteArray();
        return out;
    }
    const Cp949Table& table = Table();
    out.bytes.reserve(cp949.size() + cp949.size() / 2);
    Place place;
    const qsizetype n = cp949.size();
    char utf8[4];
    for (qsizetype i = 0; i < n; ++i) {
        const auto b = static_cast<quint8>(cp949[i]);
        char32_t c = b;
        if (b >= 0x80) {
            const char16_t u =
                i + 1 < n ? table.toUnicode(b, static_cast<quint8>(cp949[i + 1])) : 0;
            if (u) {
                c = u;
                ++i;
            } else {
                c = QChar::ReplacementCharacter;
                AddIssue(out, place,
                         QStringLiteral("CP949 문자가 아닌 바이트 0x%1을(를) U+FFFD로 "
                                        "바꿨습니다")
                             .arg(b, 2, 16, QLatin1Char('0')));
            }
        }
        place.advance(c);
        if (c < 0x80) {
            out.bytes.append(static_cast<char>(c));
        } else if (c < 0x800) {
            utf8[0] = static_cast<char>(0xC0 | (c >> 6));
            utf8[1] = static_cast<char>(0x80 | (c & 0x3F));
            out.bytes.append(utf8, 2);
        } else {
            utf8[0] = static_cast<char>(0xE0 | (c >> 12));
            utf8[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            utf8[2] = static_cast<char>(0x80 | (c & 0x3F));
            out.bytes.append(utf8, 3);
        }
    }
    return out;
}

} // namespace pravik
