#include "document/NodeText.h"

#include "document/NodeHeader.h"

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
