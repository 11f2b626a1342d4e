#include "secs/CommonSmlReader.h"

#include "document/ItemTypes.h"
#include "document/NodeText.h"
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

// A name in place of a value: two or more letters, digits or "_", the
// first a letter or "_" (one letter alone is more likely a slip, "X").
bool IsValueName(QByteArrayView w) {
    if (w.size() < 2 ||
        !((w[0] >= 'a' && w[0] <= 'z') || (w[0] >= 'A' && w[0] <= 'Z') || w[0] == '_'))
        return false;
    for (const char c : w)
        if (!IsNameChar(c))
            return false;
    return true;
}

// What may follow a string's closing quote: anything else after a quote
// makes the quote part of the text, as writers that do not escape quotes
// leave it ('it's').
bool EndsString(char next) {
    return static_cast<quint8>(next) <= ' ' || next == '>' || next == '"' || next == '\'' ||
           next == '/' || next == '#';
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// An integer as written: decimal, 0x hex or 0b binary, with an optional sign.
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
    const bool binary = i + 1 < w.size() && w[i] == '0' && (w[i + 1] == 'b' || w[i + 1] == 'B');
    if (hex || binary)
        i += 2;
    if (i >= w.size())
        return std::nullopt;
    const quint64 base = hex ? 16 : binary ? 2 : 10;
    for (; i < w.size(); ++i) {
        const char c = w[i];
        quint64 digit;
        if (binary ? (c == '0' || c == '1') : (c >= '0' && c <= '9'))
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
    // Places are asked for in text order (every item's), so the count goes
    // on from the last place of the same line: a long line costs once.
    int column = 1;
    qsizetype i = at.lineStart;
    if (m_columnLineStart == at.lineStart && m_columnPos <= at.pos) {
        i = m_columnPos;
        column = m_column;
    }
    for (; i < at.pos && i < m_text.size(); ++i, ++column)
        if (static_cast<quint8>(m_text[i]) >= 0x81 && i + 1 < at.pos)
            ++i;
    m_columnLineStart = at.lineStart;
    m_columnPos = i;
    m_column = column;
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
        } else if ((c == '/' && peek(1) == '/') || c == '#') {
            const int line = m_line;
            const qsizetype start = m_pos + (c == '#' ? 1 : 2);
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

namespace {

// A name or a comment that describes a node. Nothing offered is lost: a
// message's description takes every one, joined by " - "; an item keeps its
// first (its member's name comes from it) and its note holds the next.
void AddDescription(SmlNote& n, QByteArrayView text, bool onMessage) {
    const QByteArray made = NodeTextFromComment(text);
    const bool used = n.description.isEmpty() || (onMessage && made != n.description);
    if (!used) {
        if (made != n.description && n.unused.isEmpty())
            n.unused = made;
        return;
    }
    n.description += (n.description.isEmpty() ? "" : " - ") + made;
    n.mended |= SmlTextFaults(text) & (kSmlTextLineBreak | kSmlTextNul);
}

} // namespace

void CommonSmlReader::applyComment(QByteArrayView raw, bool block) {
    if (m_target == Target::None || !m_message)
        return;
    const bool onMessage = m_target == Target::Message;
    // A note is made only for a comment that says something.
    auto note = [&]() -> SmlNote& { return m_message->addNote(onMessage ? -1 : m_targetItem); };
    auto describe = [&](QByteArrayView text) {
        if (!text.isEmpty())
            AddDescription(note(), text, onMessage);
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
        if (content.size() > 1 && note().text.isEmpty()) {
            const QByteArrayView text = QByteArrayView(content).sliced(1);
            note().text = NodeTextFromComment(text);
            note().mended |= SmlTextFaults(text) & (kSmlTextLineBreak | kSmlTextNul);
        }
    } else {
        // Someone's own comment without a blank: its text is the description.
        describe(content.trimmed());
    }
}

void CommonSmlReader::nameTarget(QByteArrayView name) {
    if (m_target == Target::None || !m_message || name.isEmpty())
        return;
    const bool onMessage = m_target == Target::Message;
    AddDescription(m_message->addNote(onMessage ? -1 : m_targetItem), name, onMessage);
}

QByteArrayView CommonSmlReader::word(bool value) {
    const qsizetype start = m_pos;
    while (m_pos < m_text.size() && (value ? IsWordChar(m_text[m_pos]) : IsNameChar(m_text[m_pos])))
        ++m_pos;
    return m_text.sliced(start, m_pos - start);
}

bool CommonSmlReader::next(CommonSmlMessage& out) {
    for (;;) {
        out = CommonSmlMessage();
        m_message = &out;
        m_target = Target::None;
        m_targetLine = 0;
        m_refusal.reset();
        if (m_error)
            return false;
        // A byte-order mark that an editor may have put in front.
        if (m_pos == 0 && m_text.startsWith("\xEF\xBB\xBF"))
            m_pos = m_lineStart = 3;
        if (!skipSpace() || atEnd())
            return false;
        if (!readMessage(out))
            return false;
        m_target = Target::None;
        m_message = nullptr;
        if (!m_refusal)
            return true;
        // Read whole, so that the next message starts where it should; left out.
        if (m_refusalCount++ < kMaxListedRefusals)
            m_refusals.push_back(*m_refusal);
    }
}

bool CommonSmlReader::headerToken(QByteArrayView& token) {
    const qsizetype start = m_pos;
    const char quote = peek();
    if (quote == '\'' || quote == '"')
        ++m_pos;
    token = word(false);
    if (quote == '\'' || quote == '"') {
        if (peek() != quote) {
            m_pos = start;
            return false;
        }
        ++m_pos;
    }
    // S<digits>F<digits>, letters in either case.
    auto digits = [&](qsizetype from, qsizetype& end) {
        end = from;
        while (end < token.size() && token[end] >= '0' && token[end] <= '9')
            ++end;
        return end > from;
    };
    qsizetype streamEnd = 0, functionEnd = 0;
    const bool shaped = token.size() > 3 && (token[0] == 'S' || token[0] == 's') &&
                        digits(1, streamEnd) && streamEnd < token.size() &&
                        (token[streamEnd] == 'F' || token[streamEnd] == 'f') &&
                        digits(streamEnd + 1, functionEnd) && functionEnd == token.size();
    if (!shaped)
        m_pos = start;
    return shaped;
}

bool CommonSmlReader::readHeader(CommonSmlMessage& out) {
    const Position start = here();
    Position at = start;
    QByteArrayView header;
    QByteArray name;
    if (!headerToken(header)) {
        // A message name: the text before a ":" on the header's line.
        qsizetype colon = m_pos;
        while (colon < m_text.size() && m_text[colon] != ':' && m_text[colon] != '\n' &&
               m_text[colon] != '\r' && m_text[colon] != '<')
            ++colon;
        if (colon >= m_text.size() || m_text[colon] != ':' || colon == m_pos)
            return failExpected(QStringLiteral("메시지 머리(S<스트림>F<기능>)"));
        name = m_text.sliced(m_pos, colon - m_pos).toByteArray().trimmed();
        m_pos = colon + 1;
        while (peek() == ' ' || peek() == '\t')
            ++m_pos;
        at = here();
        if (!headerToken(header))
            return failExpected(QStringLiteral("메시지 머리(S<스트림>F<기능>)"));
    }
    qsizetype streamEnd = 1;
    while (header[streamEnd] >= '0' && header[streamEnd] <= '9')
        ++streamEnd;
    const QByteArrayView streamText = header.sliced(1, streamEnd - 1);
    const QByteArrayView functionText = header.sliced(streamEnd + 1);
    const std::optional<Integer> stream = ParseInteger(streamText);
    const std::optional<Integer> function = ParseInteger(functionText);
    if (!stream || stream->magnitude > 127)
        return fail(
            at, QStringLiteral("스트림은 0~127이어야 합니다 (찾은 것: %1)").arg(Shown(streamText)));
    if (!function || function->magnitude > 255)
        return fail(
            at, QStringLiteral("기능은 0~255이어야 합니다 (찾은 것: %1)").arg(Shown(functionText)));
    out.stream = static_cast<int>(stream->magnitude);
    out.function = static_cast<int>(function->magnitude);
    out.line = start.line;
    out.column = columnOf(start);

    m_target = Target::Message;
    m_targetLine = start.line;
    // The name says what the message is, unless a comment says it first.
    nameTarget(name);
    if (!skipSpace())
        return false;
    if ((peek() == 'W' || peek() == 'w') && !IsNameChar(peek(1))) {
        ++m_pos;
        out.replyExpected = true;
    } else if (peek() == '[' && (peek(1) == 'W' || peek(1) == 'w') && peek(2) == ']') {
        // An optional W-bit: a reply may be expected.
        m_pos += 3;
        out.replyExpected = true;
    }
    return true;
}

bool CommonSmlReader::readMessage(CommonSmlMessage& out) {
    if (!readHeader(out) || !skipSpace())
        return false;
    if (peek() == '<') {
        if (!readBody() || !skipSpace())
            return false;
    } else if (peek() != '.') {
        return failExpected(QStringLiteral("'<' 또는 '.'"));
    }
    if (peek() != '.')
        return failExpected(QStringLiteral("메시지를 끝내는 '.'"));
    ++m_pos;
    return true;
}

bool CommonSmlReader::readLength(qint64& declared, qint64& rangeMin) {
    declared = rangeMin = -1;
    if (peek() != '[')
        return true;
    ++m_pos;
    auto number = [&](qint64& value) {
        if (!skipSpace())
            return false;
        const Position at = here();
        const QByteArrayView text = word(false);
        const std::optional<Integer> length = ParseInteger(text);
        if (text.isEmpty())
            return failExpected(QStringLiteral("길이(숫자)"));
        if (!length || length->negative || length->magnitude > kMaxItemLength)
            return fail(at, QStringLiteral("길이는 0~%1이어야 합니다 (찾은 것: %2)")
                                .arg(kMaxItemLength)
                                .arg(Shown(text)));
        value = static_cast<qint64>(length->magnitude);
        return skipSpace();
    };
    if (!number(declared))
        return false;
    // A range: "[a..b]" or "[a,b]".
    const Position rangeAt = here();
    if ((peek() == '.' && peek(1) == '.') || peek() == ',') {
        m_pos += peek() == ',' ? 1 : 2;
        rangeMin = declared;
        if (!number(declared))
            return false;
        if (rangeMin > declared)
            return fail(rangeAt, QStringLiteral("길이의 범위 [%1..%2]는 작은 수가 앞에 와야 "
                                                "합니다")
                                     .arg(rangeMin)
                                     .arg(declared));
    }
    if (peek() != ']')
        return failExpected(QStringLiteral("']'"));
    ++m_pos;
    return skipSpace();
}

bool CommonSmlReader::readBody() {
    CommonSmlMessage& m = *m_message;
    struct OpenList {
        qsizetype index;
        quint32 count;
        qint64 declared; // -1 when no length was given
        qint64 rangeMin; // -1 unless a range was given
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
        if (!type && (name == "W" || name == "w")) {
            // Two-byte characters: no type of ours holds them. The message is
            // read to its end and left out.
            if (!m_refusal)
                m_refusal = CommonSmlError{
                    namePos.line, columnOf(namePos),
                    QStringLiteral("S%1F%2: 2바이트 문자(W) 아이템은 가져올 수 없어 이 메시지를 "
                                   "건너뜁니다 (14가지 아이템 형식에 없습니다)")
                        .arg(m.stream)
                        .arg(m.function)};
            qint64 declared, rangeMin;
            if (!skipSpace() || !readLength(declared, rangeMin) || !skipValues())
                return false;
            // It stands in the body as an empty string, so that counts agree.
            m.body.addItem(ItemTypes::all()[1].index, QByteArrayView());
            m.itemSources.push_back({itemStart.line, columnOf(itemStart), -1, false});
        } else if (!type) {
            return fail(namePos,
                        QStringLiteral("알 수 없는 아이템 형식입니다: %1").arg(Shown(name)));
        } else {
            if (!skipSpace())
                return false;
            qint64 declared, rangeMin;
            if (!readLength(declared, rangeMin))
                return false;
            SmlItemSource source{itemStart.line, columnOf(itemStart), -1, false};
            if (type->isList()) {
                // A name in place of items ("<L REPORTS ...", as definition
                // languages name lists).
                const qsizetype before = m_pos;
                if (const QByteArrayView listName = word(false); IsValueName(listName)) {
                    nameTarget(listName);
                    if (!skipSpace())
                        return false;
                } else {
                    m_pos = before;
                }
                source.variable = rangeMin >= 0 && rangeMin != declared;
                m.itemSources.push_back(source);
                m.body.addList(0);
                open.push_back({index, 0, declared, rangeMin, itemStart});
            } else {
                QByteArray data;
                QByteArray valueName;
                if (!readValues(*type, data, valueName))
                    return false;
                const qint64 count = data.size() / type->elementSize;
                if (declared >= 0 && declared < count)
                    return fail(itemStart,
                                QStringLiteral("길이는 [%1]인데 값은 %2개입니다")
                                    .arg(rangeMin >= 0
                                             ? QStringLiteral("%1..%2").arg(rangeMin).arg(declared)
                                             : QString::number(declared))
                                    .arg(count));
                // A declared length beyond the values is the item's size.
                if (declared > count)
                    source.declared = static_cast<qint32>(declared);
                source.variable = declared < 0 && !valueName.isEmpty() &&
                                  type->valueKind == ItemValueKind::Text && count == 0;
                m.itemSources.push_back(source);
                m.body.addItem(type->index, data);
                m_targetLine = m_line; // the line of its ">"
            }
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
            const bool fits = list.rangeMin >= 0
                                  ? list.count >= list.rangeMin && list.count <= list.declared
                                  : list.declared < 0 || list.declared == list.count;
            if (!fits)
                return fail(
                    list.start,
                    QStringLiteral("목록의 길이는 [%1]인데 아이템은 %2개입니다")
                        .arg(list.rangeMin >= 0
                                 ? QStringLiteral("%1..%2").arg(list.rangeMin).arg(list.declared)
                                 : QString::number(list.declared))
                        .arg(list.count));
            m.body.items[static_cast<size_t>(list.index)].length = list.count;
            open.pop_back();
            ++m_pos;
            m_target = Target::None;
        }
    }
}

bool CommonSmlReader::readValues(const ItemType& type, QByteArray& data, QByteArray& name) {
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
            if (!fits && IsValueName(w)) {
                // A name in place of the value ("<A [6] SOFTREV>"): a text
                // item's whole value, one element of any other.
                if (!name.isEmpty())
                    return fail(valuePos,
                                QStringLiteral("아이템 하나에 이름은 하나만 쓸 수 있습니다 (찾은 "
                                               "것: %1)")
                                    .arg(Shown(w)));
                name = w.toByteArray();
                nameTarget(w);
                if (!text)
                    data.append(type.elementSize, '\0');
                fits = true;
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

bool CommonSmlReader::skipValues() {
    QByteArray scrap;
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
        if (c == '"' || c == '\'') {
            scrap.clear();
            if (!readString(scrap))
                return false;
        } else if (word(true).isEmpty()) {
            return failExpected(QStringLiteral("문자열, 값 또는 '>'"));
        }
    }
}

bool CommonSmlReader::readString(QByteArray& data) {
    const Position start = here();
    const char quote = m_text[m_pos];
    const qsizetype size = m_text.size();
    qsizetype i = m_pos + 1;
    for (;;) {
        if (i >= size || m_text[i] == '\n' || m_text[i] == '\r')
            return fail(start, QStringLiteral("문자열이 끝나지 않습니다 (같은 줄에 닫는 %1이(가) "
                                              "필요합니다)")
                                   .arg(quote == '"' ? QStringLiteral("큰따옴표")
                                                     : QStringLiteral("작은따옴표")));
        const char c = m_text[i];
        if (c == quote && EndsString(i + 1 < size ? m_text[i + 1] : ' '))
            break;
        if (c == '\\' && i + 1 < size) {
            const char e = m_text[i + 1];
            const char* simple = nullptr;
            switch (e) {
            case '\\':
                simple = "\\";
                break;
            case '"':
                simple = "\"";
                break;
            case '\'':
                simple = "'";
                break;
            case 'n':
                simple = "\n";
                break;
            case 'r':
                simple = "\r";
                break;
            case 't':
                simple = "\t";
                break;
            case '0':
                data.append('\0');
                i += 2;
                continue;
            case 'x':
                if (i + 3 < size && HexDigit(m_text[i + 2]) >= 0 && HexDigit(m_text[i + 3]) >= 0) {
                    data.append(
                        static_cast<char>(HexDigit(m_text[i + 2]) * 16 + HexDigit(m_text[i + 3])));
                    i += 4;
                    continue;
                }
                break;
            default:
                break;
            }
            if (simple) {
                data.append(simple[0]);
                i += 2;
                continue;
            }
            // Any other backslash is a character of the text.
        }
        // Byte by byte: the second byte of a CP949 character is never a
        // quote or a backslash.
        data.append(c);
        ++i;
        if (data.size() > kMaxItemLength)
            return fail(start,
                        QStringLiteral("값이 너무 깁니다 (최대 %1바이트)").arg(kMaxItemLength));
    }
    m_pos = i + 1;
    return true;
}

} // namespace pravik
