#include "secs/CommonSmlReader.h"

#include "document/ItemTypes.h"
#include "platform/AnsiText.h"
#include "secs/CommonSmlWriter.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace pravik {

namespace {

bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// Values may also hold signs, points and exponents: -1, 1.5e+3.
bool IsWordChar(char c) {
    return IsNameChar(c) || c == '+' || c == '-' || c == '.';
}

// An integer as written: decimal or 0x hex, with an optional sign.
struct Integer {
    bool negative = false;
    quint64 magnitude = 0;
};

std::optional<Integer> ParseInteger(QByteArrayView w) {
    Integer v;
    qsizetype i = 0;
    if (i < w.size() && (w[i] == '+' || w[i] == '-')) {
        v.negative = w[i] == '-';
        ++i;
    }
    const bool hex = i + 1 < w.size() && w[i] == '0' && (w[i + 1] == 'x' || w[i + 1] == 'X');
    if (hex)
        i += 2;
    if (i >= w.size())
        return std::nullopt;
    const quint64 base = hex ? 16 : 10;
    for (; i < w.size(); ++i) {
        const char c = w[i];
        quint64 digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<quint64>(c - '0');
        else if (hex && c >= 'a' && c <= 'f')
            digit = static_cast<quint64>(c - 'a' + 10);
        else if (hex && c >= 'A' && c <= 'F')
            digit = static_cast<quint64>(c - 'A' + 10);
        else
            return std::nullopt;
        if (v.magnitude > (std::numeric_limits<quint64>::max() - digit) / base)
            return std::nullopt;
        v.magnitude = v.magnitude * base + digit;
    }
    return v;
}

void AppendBigEndian(QByteArray& data, quint64 value, int size) {
    for (int b = size - 1; b >= 0; --b)
        data.append(static_cast<char>((value >> (8 * b)) & 0xFF));
}

// A byte value 0 to 255 (B items, bytes inside strings, odd BOOLEANs).
std::optional<quint8> ParseByte(QByteArrayView w) {
    const std::optional<Integer> v = ParseInteger(w);
    if (!v || (v->negative && v->magnitude != 0) || v->magnitude > 255)
        return std::nullopt;
    return static_cast<quint8>(v->magnitude);
}

// One value of a non-text item as its bytes; false when it does not fit.
bool AppendNumber(QByteArray& data, const ItemType& type, QByteArrayView w) {
    const int size = type.elementSize;
    switch (type.valueKind) {
    case ItemValueKind::Binary: {
        const std::optional<quint8> b = ParseByte(w);
        if (!b)
            return false;
        data.append(static_cast<char>(*b));
        return true;
    }
    case ItemValueKind::Boolean: {
        const QByteArray upper = w.toByteArray().toUpper();
        if (upper == "T" || upper == "TRUE") {
            data.append('\1');
            return true;
        }
        if (upper == "F" || upper == "FALSE") {
            data.append('\0');
            return true;
        }
        const std::optional<quint8> b = ParseByte(w);
        if (!b)
            return false;
        data.append(static_cast<char>(*b));
        return true;
    }
    case ItemValueKind::Unsigned: {
        const std::optional<Integer> v = ParseInteger(w);
        if (!v || (v->negative && v->magnitude != 0))
            return false;
        if (size < 8 && v->magnitude >> (8 * size))
            return false;
        AppendBigEndian(data, v->magnitude, size);
        return true;
    }
    case ItemValueKind::Signed: {
        const std::optional<Integer> v = ParseInteger(w);
        if (!v)
            return false;
        const quint64 limit = quint64(1) << (8 * size - 1); // magnitude of the minimum
        if (v->negative ? v->magnitude > limit : v->magnitude >= limit)
            return false;
        const quint64 raw = v->negative ? ~v->magnitude + 1 : v->magnitude;
        AppendBigEndian(data, raw, size);
        return true;
    }
    case ItemValueKind::Float: {
        const char* first = w.data();
        const char* last = first + w.size();
        if (first < last && *first == '+')
            ++first;
        if (first == last)
            return false;
        if (size == 4) {
            float f = 0;
            const auto r = std::from_chars(first, last, f);
            if (r.ec != std::errc() || r.ptr != last)
                return false;
            quint32 raw;
            std::memcpy(&raw, &f, 4);
            AppendBigEndian(data, raw, 4);
        } else {
            double d = 0;
            const auto r = std::from_chars(first, last, d);
            if (r.ec != std::errc() || r.ptr != last)
                return false;
            quint64 raw;
            std::memcpy(&raw, &d, 8);
            AppendBigEndian(data, raw, 8);
        }
        return true;
    }
    case ItemValueKind::List:
    case ItemValueKind::Text:
        break;
    }
    return false;
}

// What the range of a type is, for the error of a value that does not fit.
QString RangeOf(const ItemType& type) {
    const int bits = 8 * type.elementSize;
    switch (type.valueKind) {
    case ItemValueKind::Binary:
    case ItemValueKind::Text:
        return QStringLiteral("0~255");
    case ItemValueKind::Boolean:
        return QStringLiteral("T, F, TRUE, FALSE 또는 0~255");
    case ItemValueKind::Unsigned:
        return QStringLiteral("0~%1").arg(bits == 64 ? std::numeric_limits<quint64>::max()
                                                     : (quint64(1) << bits) - 1);
    case ItemValueKind::Signed:
        return QStringLiteral("%1~%2")
            .arg(bits == 64 ? std::numeric_limits<qint64>::min() : -(qint64(1) << (bits - 1)))
            .arg(bits == 64 ? std::numeric_limits<qint64>::max() : (qint64(1) << (bits - 1)) - 1);
    case ItemValueKind::Float:
        return type.elementSize == 4 ? QStringLiteral("32비트 부동소수점 수")
                                     : QStringLiteral("64비트 부동소수점 수");
    case ItemValueKind::List:
        break;
    }
    return QString();
}

QString Shown(QByteArrayView bytes) {
    QString s = AnsiText::Decode(bytes.first(std::min<qsizetype>(bytes.size(), 40)).toByteArray());
    if (bytes.size() > 40)
        s += QStringLiteral("...");
    return QLatin1Char('\'') + s + QLatin1Char('\'');
}

} // namespace

QString CommonSmlError::text() const {
    return QStringLiteral("줄 %1, 열 %2: %3").arg(line).arg(column).arg(message);
}

QByteArray NodeTextFromComment(QByteArrayView text) {
    QByteArray out = text.toByteArray();
    for (char& c : out)
        if (c == '\r' || c == '\n' || c == '\0')
            c = ' ';
    return out;
}

int CommonSmlReader::columnOf(const Position& at) const {
    int column = 1;
    for (qsizetype i = at.lineStart; i < at.pos && i < m_text.size(); ++i, ++column)
        if (static_cast<quint8>(m_text[i]) >= 0x81 && i + 1 < at.pos)
            ++i;
    return column;
}

bool CommonSmlReader::fail(const Position& at, const QString& message) {
    m_error = CommonSmlError{at.line, columnOf(at), message};
    return false;
}

bool CommonSmlReader::failExpected(const QString& expected) {
    QString found;
    if (atEnd()) {
        found = QStringLiteral("파일의 끝");
    } else {
        const qsizetype start = m_pos;
        qsizetype end = start;
        while (end < m_text.size() && IsWordChar(m_text[end]))
            ++end;
        if (end == start) // one character, both bytes of a double-byte one
            end = std::min(m_text.size(),
                           start + (static_cast<quint8>(m_text[start]) >= 0x81 ? 2 : 1));
        found = Shown(m_text.sliced(start, end - start));
    }
    return fail(here(), QStringLiteral("%1이(가) 필요합니다 (찾은 것: %2)").arg(expected, found));
}

void CommonSmlReader::newLine(qsizetype breakEnd) {
    ++m_line;
    m_lineStart = breakEnd;
}

bool CommonSmlReader::skipSpace() {
    while (!atEnd()) {
        const char c = m_text[m_pos];
        if (c == '\n') {
            newLine(++m_pos);
        } else if (c == '\r') {
            ++m_pos;
            if (peek() == '\n')
                ++m_pos;
            newLine(m_pos);
        } else if (static_cast<quint8>(c) <= ' ') {
            ++m_pos;
        } else if (c == '/' && peek(1) == '/') {
            const int line = m_line;
            const qsizetype start = m_pos + 2;
            qsizetype end = start;
            while (end < m_text.size() && m_text[end] != '\n' && m_text[end] != '\r')
                ++end;
            if (line == m_targetLine)
                applyComment(m_text.sliced(start, end - start), false);
            m_pos = end;
        } else if (c == '/' && peek(1) == '*') {
            const Position start = here();
            qsizetype i = m_pos + 2;
            qsizetype close = -1;
            while (i + 1 < m_text.size()) {
                const char d = m_text[i];
                if (d == '*' && m_text[i + 1] == '/') {
                    close = i;
                    break;
                }
                if (d == '\n' || (d == '\r' && m_text[i + 1] != '\n'))
                    newLine(i + 1);
                ++i;
            }
            if (close < 0)
                return fail(start,
                            QStringLiteral("주석이 끝나지 않습니다 ('*/'이(가) 필요합니다)"));
            if (start.line == m_targetLine)
                applyComment(m_text.sliced(start.pos + 2, close - start.pos - 2), true);
            m_pos = close + 2;
        } else {
            break;
        }
    }
    return true;
}

void CommonSmlReader::applyComment(QByteArrayView raw, bool block) {
    if (m_target == Target::None || !m_message)
        return;
    const bool onMessage = m_target == Target::Message;
    // A note is made only for a comment that says something.
    auto note = [&]() -> SmlNote& { return m_message->addNote(onMessage ? -1 : m_targetItem); };
    auto describe = [&](QByteArrayView text) {
        if (text.isEmpty())
            return;
        SmlNote& n = note();
        if (n.description.isEmpty())
            n.description = NodeTextFromComment(text);
    };
    QByteArray content = UnescapeComment(raw);
    if (content.startsWith(' ')) {
        content.remove(0, 1);
        if (block && content.endsWith(' '))
            content.chop(1);
        describe(content);
        return;
    }
    // A mark: no blank after the comment's opening.
    if (content == "n") {
        note().variable = true;
    } else if (content.size() == 1 && QByteArrayView("PSN").contains(content[0])) {
        if (onMessage && note().messageType < 0)
            note().messageType = static_cast<int>(QByteArrayView("PSN").indexOf(content[0]));
    } else if (content.startsWith('=')) {
        if (content.size() > 1 && note().text.isEmpty())
            note().text = NodeTextFromComment(QByteArrayView(content).sliced(1));
    } else {
        // Someone's own comment without a blank: its text is the description.
        describe(content.trimmed());
    }
}

QByteArrayView CommonSmlReader::word(bool value) {
    const qsizetype start = m_pos;
    while (m_pos < m_text.size() && (value ? IsWordChar(m_text[m_pos]) : IsNameChar(m_text[m_pos])))
        ++m_pos;
    return m_text.sliced(start, m_pos - start);
}

bool CommonSmlReader::next(CommonSmlMessage& out) {
    out = CommonSmlMessage();
    m_message = &out;
    m_target = Target::None;
    m_targetLine = 0;
    if (m_error)
        return false;
    // A byte-order mark that an editor may have put in front.
    if (m_pos == 0 && m_text.startsWith("\xEF\xBB\xBF"))
        m_pos = m_lineStart = 3;
    if (!skipSpace() || atEnd())
        return false;

    const Position start = here();
    const QByteArrayView header = word(false);
    // S<digits>F<digits>, letters in either case.
    auto digits = [&](qsizetype from, qsizetype& end) {
        end = from;
        while (end < header.size() && header[end] >= '0' && header[end] <= '9')
            ++end;
        return end > from;
    };
    qsizetype streamEnd = 0, functionEnd = 0;
    const bool shaped = header.size() > 3 && (header[0] == 'S' || header[0] == 's') &&
                        digits(1, streamEnd) && streamEnd < header.size() &&
                        (header[streamEnd] == 'F' || header[streamEnd] == 'f') &&
                        digits(streamEnd + 1, functionEnd) && functionEnd == header.size();
    if (!shaped) {
        m_pos = start.pos;
        return failExpected(QStringLiteral("메시지 머리(S<스트림>F<기능>)"));
    }
    const QByteArrayView streamText = header.sliced(1, streamEnd - 1);
    const QByteArrayView functionText = header.sliced(streamEnd + 1);
    const std::optional<Integer> stream = ParseInteger(streamText);
    const std::optional<Integer> function = ParseInteger(functionText);
    if (!stream || stream->magnitude > 127)
        return fail(
            start,
            QStringLiteral("스트림은 0~127이어야 합니다 (찾은 것: %1)").arg(Shown(streamText)));
    if (!function || function->magnitude > 255)
        return fail(
            start,
            QStringLiteral("기능은 0~255이어야 합니다 (찾은 것: %1)").arg(Shown(functionText)));
    out.stream = static_cast<int>(stream->magnitude);
    out.function = static_cast<int>(function->magnitude);
    out.line = start.line;
    out.column = columnOf(start);

    m_target = Target::Message;
    m_targetLine = start.line;
    if (!skipSpace())
        return false;
    if ((peek() == 'W' || peek() == 'w') && !IsNameChar(peek(1))) {
        ++m_pos;
        out.replyExpected = true;
        if (!skipSpace())
            return false;
    }
    if (peek() == '<') {
        if (!readBody() || !skipSpace())
            return false;
    } else if (peek() != '.') {
        return failExpected(QStringLiteral("'<' 또는 '.'"));
    }
    if (peek() != '.')
        return failExpected(QStringLiteral("메시지를 끝내는 '.'"));
    ++m_pos;
    m_target = Target::None;
    m_message = nullptr;
    return true;
}

bool CommonSmlReader::readBody() {
    CommonSmlMessage& m = *m_message;
    struct OpenList {
        qsizetype index;
        quint32 count;
        qint64 declared; // -1 when no length was given
        Position start;
    };
    std::vector<OpenList> open;
    for (;;) {
        // At the "<" of an item.
        const Position itemStart = here();
        ++m_pos;
        if (!open.empty() && ++open.back().count > kMaxItemLength)
            return fail(itemStart, QStringLiteral("목록 하나에 아이템이 너무 많습니다 (최대 %1개)")
                                       .arg(kMaxItemLength));
        const qsizetype index = static_cast<qsizetype>(m.body.items.size());
        if (index >= kMaxMessageItems)
            return fail(itemStart,
                        QStringLiteral("메시지 하나에 아이템이 너무 많습니다 (최대 %1개)")
                            .arg(kMaxMessageItems));
        m_target = Target::Item;
        m_targetItem = index;
        m_targetLine = itemStart.line;
        if (!skipSpace())
            return false;
        const Position namePos = here();
        const QByteArrayView name = word(false);
        if (name.isEmpty())
            return failExpected(QStringLiteral("아이템 형식(L, A, B, BOOLEAN, U4 ...)"));
        const ItemType* type = ItemTypes::findSmlName(name);
        if (!type)
            return fail(namePos,
                        QStringLiteral("알 수 없는 아이템 형식입니다: %1").arg(Shown(name)));
        if (!skipSpace())
            return false;
        qint64 declared = -1;
        if (peek() == '[') {
            ++m_pos;
            if (!skipSpace())
                return false;
            const Position lengthPos = here();
            const QByteArrayView lengthText = word(false);
            const std::optional<Integer> length = ParseInteger(lengthText);
            if (lengthText.isEmpty())
                return failExpected(QStringLiteral("길이(숫자)"));
            if (!length || length->negative || length->magnitude > kMaxItemLength)
                return fail(lengthPos, QStringLiteral("길이는 0~%1이어야 합니다 (찾은 것: %2)")
                                           .arg(kMaxItemLength)
                                           .arg(Shown(lengthText)));
            declared = static_cast<qint64>(length->magnitude);
            if (!skipSpace())
                return false;
            if (peek() != ']')
                return failExpected(QStringLiteral("']'"));
            ++m_pos;
            if (!skipSpace())
                return false;
        }
        m.itemLines.push_back(itemStart.line);
        if (type->isList()) {
            m.body.addList(0);
            open.push_back({index, 0, declared, itemStart});
        } else {
            QByteArray data;
            if (!readValues(*type, data))
                return false;
            const qint64 count = data.size() / type->elementSize;
            if (declared >= 0 && declared != count)
                return fail(
                    itemStart,
                    QStringLiteral("길이는 [%1]인데 값은 %2개입니다").arg(declared).arg(count));
            m.body.addItem(type->index, data);
            m_targetLine = m_line; // the line of its ">"
        }
        // Close what ends here; go on at the next "<".
        for (;;) {
            if (open.empty())
                return true;
            if (!skipSpace())
                return false;
            if (peek() == '<')
                break;
            if (peek() != '>') {
                if (atEnd())
                    return fail(here(), QStringLiteral("줄 %1의 목록을 닫는 '>'이(가) 필요합니다 "
                                                       "(찾은 것: 파일의 끝)")
                                            .arg(open.back().start.line));
                return failExpected(QStringLiteral("'<' 또는 '>'"));
            }
            const OpenList list = open.back();
            if (list.declared >= 0 && list.declared != list.count)
                return fail(list.start, QStringLiteral("목록의 길이는 [%1]인데 아이템은 %2개입니다")
                                            .arg(list.declared)
                                            .arg(list.count));
            m.body.items[static_cast<size_t>(list.index)].length = list.count;
            open.pop_back();
            ++m_pos;
            m_target = Target::None;
        }
    }
}

bool CommonSmlReader::readValues(const ItemType& type, QByteArray& data) {
    const bool text = type.valueKind == ItemValueKind::Text;
    for (;;) {
        if (!skipSpace())
            return false;
        const char c = peek();
        if (c == '>') {
            ++m_pos;
            return true;
        }
        if (atEnd())
            return failExpected(QStringLiteral("아이템을 닫는 '>'"));
        const Position valuePos = here();
        if (c == '"' || c == '\'') {
            if (!text)
                return failExpected(QStringLiteral("%1 값 또는 '>'").arg(type.smlName));
            if (!readString(data))
                return false;
        } else {
            const QByteArrayView w = word(true);
            if (w.isEmpty())
                return failExpected(text ? QStringLiteral("문자열, 바이트 값 또는 '>'")
                                         : QStringLiteral("%1 값 또는 '>'").arg(type.smlName));
            bool fits;
            if (text) {
                const std::optional<quint8> b = ParseByte(w);
                fits = b.has_value();
                if (fits)
                    data.append(static_cast<char>(*b));
            } else {
                fits = AppendNumber(data, type, w);
            }
            if (!fits)
                return fail(valuePos,
                            QStringLiteral("%1 값은 %2이어야 합니다 (찾은 것: %3)")
                                .arg(QString::fromLatin1(type.smlName), RangeOf(type), Shown(w)));
        }
        if (data.size() > kMaxItemLength)
            return fail(valuePos,
                        QStringLiteral("값이 너무 깁니다 (최대 %1바이트)").arg(kMaxItemLength));
    }
}

bool CommonSmlReader::readString(QByteArray& data) {
    const Position start = here();
    const char quote = m_text[m_pos];
    qsizetype i = m_pos + 1;
    while (i < m_text.size() && m_text[i] != quote && m_text[i] != '\n' && m_text[i] != '\r')
        ++i;
    if (i >= m_text.size() || m_text[i] != quote)
        return fail(start, QStringLiteral("문자열이 끝나지 않습니다 (같은 줄에 닫는 %1이(가) "
                                          "필요합니다)")
                               .arg(quote == '"' ? QStringLiteral("큰따옴표")
                                                 : QStringLiteral("작은따옴표")));
    data.append(m_text.sliced(m_pos + 1, i - m_pos - 1));
    m_pos = i + 1;
    return true;
}

} // namespace pravik
