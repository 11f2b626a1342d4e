#include "document/NodeText.h"

#include "document/NodeHeader.h"

#include <QStringList>

namespace pravik {

std::optional<qint64> ParseDecimalValue(QByteArrayView text) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size())
        return std::nullopt;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > 2147483647LL + (negative ? 1 : 0))
            return std::nullopt; // beyond a 32-bit integer, as typed numbers are held
    }
    return negative ? -value : value;
}

qint64 ParseDecimal(QByteArrayView text, qint64 fallback) {
    return ParseDecimalValue(text).value_or(fallback);
}

qint64 MessageKey(const QByteArray& text) {
    return NodeHeader::Read(text, NodeKind::Message).key;
}

} // namespace pravik

namespace pravik {

unsigned SmlTextFaults(QByteArrayView text) {
    unsigned faults = 0;
    for (const char c : text) {
        if (c == '>')
            faults |= kSmlTextGreaterThan;
        else if (c == '\r' || c == '\n')
            faults |= kSmlTextLineBreak;
        else if (c == '\0')
            faults |= kSmlTextNul;
    }
    return faults;
}

unsigned MendSmlText(QByteArray& text) {
    const unsigned faults = SmlTextFaults(text);
    if (faults == 0)
        return 0;
    QByteArray mended;
    mended.reserve(text.size() + 8);
    for (const char c : std::as_const(text)) {
        if (c == '>')
            mended.append(kGreaterThanLookAlike);
        else if (c == '\r' || c == '\n' || c == '\0')
            mended.append(' ');
        else
            mended.append(c);
    }
    text = std::move(mended);
    return faults;
}

QString SmlTextMendDescription(unsigned faults) {
    QStringList parts;
    if (faults & kSmlTextGreaterThan)
        parts << QStringLiteral("'>'를 '\uFF1E'로");
    if (faults & kSmlTextLineBreak)
        parts << QStringLiteral("줄바꿈을 공백으로");
    if (faults & kSmlTextNul)
        parts << QStringLiteral("NUL 바이트를 공백으로");
    return parts.join(QStringLiteral(", "));
}

} // namespace pravik
