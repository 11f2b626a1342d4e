#include "document/NodeHeader.h"

#include "document/ItemTypes.h"
#include "document/NodeText.h"

#include <algorithm>

namespace pravik {

namespace {

bool IsSeparatorByte(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

// The white space QByteArray::trimmed() removes.
bool IsTrimmedSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

template <typename IsBlank> QByteArrayView TrimmedBy(QByteArrayView v, IsBlank blank) {
    qsizetype b = 0, e = v.size();
    while (b < e && blank(v[b]))
        ++b;
    while (e > b && blank(v[e - 1]))
        --e;
    return v.sliced(b, e - b);
}

QByteArrayView Trimmed(QByteArrayView v) {
    return TrimmedBy(v, IsTrimmedSpace);
}

QByteArrayView TrimmedSeparators(QByteArrayView v) {
    return TrimmedBy(v, IsSeparatorByte);
}

// Splits a text into its comma-text words: the first two as they are, the
// rest run together. Every byte is looked at once.
void SplitWords(QByteArrayView text, OwnedTextWords& out) {
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end && IsSeparatorByte(*p))
        ++p;
    while (end > p && IsSeparatorByte(end[-1]))
        --end;

    int index = 0;
    auto add = [&](QByteArray&& word) {
        if (index == 0)
            out.type = std::move(word);
        else if (index == 1)
            out.length = std::move(word);
        else
            out.description += word;
        ++index;
    };

    while (p < end) {
        QByteArray word;
        if (*p == '"') {
            // Runs to the quote that is not doubled; an unclosed quote runs
            // to the end.
            ++p;
            while (p < end) {
                if (*p == '"') {
                    if (p + 1 < end && p[1] == '"') {
                        word += '"';
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                word += *p++;
            }
        } else {
            const char* start = p;
            while (p < end && !IsSeparatorByte(*p) && *p != ',')
                ++p;
            word = QByteArray(start, p - start);
        }
        add(std::move(word));
        while (p < end && IsSeparatorByte(*p))
            ++p;
        if (p < end && *p == ',') {
            if (p + 1 == end)
                add(QByteArray()); // a trailing comma adds an empty word
            ++p;
            while (p < end && IsSeparatorByte(*p))
                ++p;
        }
    }
}

} // namespace

OwnedTextWords SplitTextWords(const QByteArray& text) {
    OwnedTextWords words;
    SplitWords(text, words);
    return words;
}

QByteArray MemberNameFromDescription(QByteArrayView description) {
    QByteArray name = TrimmedSeparators(description).toByteArray();
    name.replace(' ', '_');
    return name;
}

NodeHeader NodeHeader::Read(const SmlNode& node) {
    return Read(node.Text(), node.Kind());
}

NodeHeader NodeHeader::Read(const QByteArray& text, NodeKind kind) {
    NodeHeader h;
    h.kind = kind;
    h.m_text = text;
    if (kind == NodeKind::Message) {
        h.readMessage();
    } else {
        h.readListOrItem();
        h.readWords();
    }
    return h;
}

void NodeHeader::readMessage() {
    const QByteArrayView t(m_text);
    const qsizetype s = t.indexOf('S') + 1;
    const qsizetype f = t.indexOf('F') + 1;
    const qsizetype b = t.indexOf(' ') + 1; // 1-based, 0 for none
    head = b == 0 ? t : t.first(b - 1);

    messageForm = !t.isEmpty() && s == 1 && f > 1 && b > f + 1;
    if (messageForm) {
        streamText = t.sliced(1, f - 2);
        functionText = t.sliced(f, b - f - 1);
        key = ParseDecimal(streamText, 0) * 1000 + ParseDecimal(functionText, 0);
    }

    // The type letter: the two characters from the first blank on, trimmed
    // (from the first character when there is no blank).
    if (t.size() > b) {
        const qsizetype from = b == 0 ? 0 : b - 1;
        const QByteArrayView letter =
            Trimmed(t.sliced(from, std::min<qsizetype>(2, t.size() - from)));
        for (int i = 0; i < kMessageTypeCount; ++i)
            if (letter == Trimmed(QByteArrayView(kMessageTypeCodes[static_cast<size_t>(i)])))
                messageType = i;
    }
    if (messageType >= 0)
        messageDescription = Trimmed(t.sliced(std::min<qsizetype>(b + 1, t.size())));
}

void NodeHeader::readListOrItem() {
    const QByteArrayView t(m_text);
    const qsizetype blank = t.indexOf(' ');
    code = blank < 0 ? QByteArrayView() : t.first(blank);
    type = ItemTypes::find(code);
    const QByteArrayView rest = blank < 0 ? t : t.sliced(blank + 1);
    const qsizetype second = rest.indexOf(' ');
    lengthText = second < 0 ? rest : rest.first(second);
    description = second < 0 ? QByteArrayView() : rest.sliced(second + 1);
    variableLength = lengthText == QByteArrayView("n");
    const std::optional<qint64> value = ParseDecimalValue(lengthText);
    lengthIsNumber = value.has_value();
    lengthValue = value.value_or(0);

    const QByteArrayView afterTwo = t.size() > 2 ? t.sliced(2) : QByteArrayView();
    const qsizetype b2 = afterTwo.indexOf(' ');
    countField = b2 < 0 ? afterTwo : afterTwo.first(b2);
    hasCountTail = b2 >= 0;
    countTail = b2 < 0 ? QByteArrayView() : afterTwo.sliced(b2 + 1);
}

void NodeHeader::readWords() {
    const QByteArrayView t(m_text);
    // Plain texts (no quote, at most one description word) are read as
    // views, so that large documents cost no allocation per node.
    if (!t.contains('"')) {
        QByteArrayView found[4];
        int count = 0;
        const char* p = t.data();
        const char* end = p + t.size();
        while (p < end && IsSeparatorByte(*p))
            ++p;
        while (end > p && IsSeparatorByte(end[-1]))
            --end;
        while (p < end && count < 4) {
            const char* start = p;
            while (p < end && !IsSeparatorByte(*p) && *p != ',')
                ++p;
            found[count++] = QByteArrayView(start, p - start);
            while (p < end && IsSeparatorByte(*p))
                ++p;
            if (p < end && *p == ',') {
                if (p + 1 == end && count < 4)
                    found[count++] = QByteArrayView(end, 0);
                ++p;
                while (p < end && IsSeparatorByte(*p))
                    ++p;
            }
        }
        if (count < 4) {
            words.type = found[0];
            words.length = found[1];
            words.description = found[2];
            words.memberName = found[2];
            return;
        }
    }
    // One buffer holds the three words and the member name; the views are
    // taken once it is complete.
    const OwnedTextWords split = SplitTextWords(m_text);
    const QByteArray name = MemberNameFromDescription(split.description);
    m_owned.reserve(split.type.size() + split.length.size() + split.description.size() +
                    name.size());
    m_owned.append(split.type).append(split.length).append(split.description).append(name);
    const QByteArrayView o(m_owned);
    qsizetype at = 0;
    auto take = [&](qsizetype n) {
        const QByteArrayView v = o.sliced(at, n);
        at += n;
        return v;
    };
    words.type = take(split.type.size());
    words.length = take(split.length.size());
    words.description = take(split.description.size());
    words.memberName = take(name.size());
}

} // namespace pravik
