#include "codegen/GeneratedNames.h"

#include "document/NodeText.h"

namespace pravik {

namespace {

bool IsSeparatorByte(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

// Splits a node text into its comma-text words, stopping once maxWords
// words are found and handing the rest back as one run-together tail.
// Every byte is looked at once, so long texts cost linear time.
void SplitWords(const QByteArray& text, TextFields& out) {
    const char* p = text.constData();
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
            // Quoted word: runs to the quote that is not doubled; "" inside
            // stands for one quote. An unclosed quote runs to the end.
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

QByteArray TrimControl(const QByteArray& text) {
    qsizetype b = 0, e = text.size();
    while (b < e && IsSeparatorByte(text[b]))
        ++b;
    while (e > b && IsSeparatorByte(text[e - 1]))
        --e;
    return text.mid(b, e - b);
}

bool AllDigits(const QByteArray& s) {
    if (s.isEmpty())
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

QByteArray WithoutLeadingZeros(const QByteArray& digits) {
    qsizetype i = 0;
    while (i + 1 < digits.size() && digits[i] == '0')
        ++i;
    return digits.mid(i);
}

} // namespace

TextFields SplitTextFields(const QByteArray& text) {
    TextFields fields;
    SplitWords(text, fields);
    return fields;
}

QByteArray TextField(const QByteArray& text, int index) {
    TextFields fields = SplitTextFields(text);
    switch (index) {
    case 0:
        return fields.type;
    case 1:
        return fields.length;
    case 2:
        return fields.description;
    default:
        return {};
    }
}

QByteArray MemberNameFromDescription(const QByteArray& description) {
    QByteArray name = TrimControl(description);
    name.replace(' ', '_');
    return name;
}

QByteArray MemberName(const QByteArray& text) {
    return MemberNameFromDescription(SplitTextFields(text).description);
}

QByteArrayView TypeName(QByteArrayView typeCode) {
    if (typeCode == QByteArrayView("BINARY"))
        return "B1";
    if (typeCode == QByteArrayView("BOOL"))
        return "B";
    return typeCode;
}

QByteArray TypePrefix(QByteArrayView typeCode) {
    QByteArray prefix = TypeName(typeCode).toByteArray();
    while (prefix.size() < 2)
        prefix += ' ';
    prefix += ' ';
    return prefix;
}

qint64 ItemLength(QByteArrayView lengthText) {
    return ParseDecimal(QByteArray::fromRawData(lengthText.data(), lengthText.size()), 0);
}

qint64 ListCount(QByteArrayView countText) {
    return ParseDecimal(QByteArray::fromRawData(countText.data(), countText.size()), -1);
}

QByteArray NumberText(QByteArrayView text, qint64 value) {
    const QByteArray plain = QByteArray::number(value);
    return plain == text ? text.toByteArray() : plain;
}

NodeFields::NodeFields(const QByteArray& text) {
    // Plain texts: the words are views; a quote or a description of several
    // words needs the full splitter.
    if (!text.contains('"')) {
        QByteArrayView words[4];
        int count = 0;
        const char* p = text.constData();
        const char* end = p + text.size();
        while (p < end && IsSeparatorByte(*p))
            ++p;
        while (end > p && IsSeparatorByte(end[-1]))
            --end;
        while (p < end && count < 4) {
            const char* start = p;
            while (p < end && !IsSeparatorByte(*p) && *p != ',')
                ++p;
            words[count++] = QByteArrayView(start, p - start);
            while (p < end && IsSeparatorByte(*p))
                ++p;
            if (p < end && *p == ',') {
                if (p + 1 == end && count < 4)
                    words[count++] = QByteArrayView(end, 0);
                ++p;
                while (p < end && IsSeparatorByte(*p))
                    ++p;
            }
        }
        if (count < 4) {
            type = words[0];
            length = words[1];
            name = words[2];
            return;
        }
    }
    m_owned = SplitTextFields(text);
    m_name = MemberNameFromDescription(m_owned.description);
    type = m_owned.type;
    length = m_owned.length;
    name = m_name;
}

MessageNumbers MessageNumbersOf(const QByteArray& text) {
    const qint64 key = MessageKey(text);
    // Truncating division, as the key is split everywhere else.
    return {key / 1000, key % 1000};
}

QByteArray MessageClassName(const MessageNumbers& numbers) {
    return "clsS" + QByteArray::number(numbers.stream) + 'F' + QByteArray::number(numbers.function);
}

QByteArray DeclaredClassName(const QByteArray& text) {
    const qsizetype blank = text.indexOf(' ');
    const QByteArray head = blank < 0 ? text : text.left(blank);
    const QByteArray declared = "cls" + head;
    // "S01F02": the digits differ from the key's numbers only by leading
    // zeros; the bodies name the class by the numbers, so the head does too.
    const qsizetype f = head.indexOf('F');
    if (head.startsWith('S') && f > 1) {
        const QByteArray stream = head.mid(1, f - 1);
        const QByteArray function = head.mid(f + 1);
        if (AllDigits(stream) && AllDigits(function)) {
            const QByteArray numbered = MessageClassName(MessageNumbersOf(text));
            if (numbered != declared && numbered == "clsS" + WithoutLeadingZeros(stream) + 'F' +
                                                        WithoutLeadingZeros(function))
                return numbered;
        }
    }
    return declared;
}

} // namespace pravik
