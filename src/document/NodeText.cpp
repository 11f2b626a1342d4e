#include "document/NodeText.h"

namespace pravik {

qint64 ParseDecimal(const QByteArray& text, qint64 fallback) {
    int i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size())
        return fallback;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return fallback;
        value = value * 10 + (c - '0');
        if (value > 2147483647LL + (negative ? 1 : 0))
            return fallback; // beyond a 32-bit integer, as typed numbers are held
    }
    return negative ? -value : value;
}

qint64 MessageKey(const QByteArray& text) {
    if (text.isEmpty())
        return 0;
    const qsizetype s = text.indexOf('S') + 1;
    const qsizetype f = text.indexOf('F') + 1;
    const qsizetype b = text.indexOf(' ') + 1;
    if (!(s == 1 && f > 1 && b > f + 1))
        return 0;
    const qint64 stream = ParseDecimal(text.mid(1, f - 2), 0);
    const qint64 function = ParseDecimal(text.mid(f, b - f - 1), 0);
    return stream * 1000 + function;
}

QByteArray ListCountField(const QByteArray& text) {
    const QByteArray rest = text.mid(2);
    const qsizetype blank = rest.indexOf(' ');
    return blank < 0 ? rest : rest.left(blank);
}

} // namespace pravik
