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

QByteArray TypeName(const QByteArray& typeCode) {
    if (typeCode == "BINARY")
        return "B1";
    if (typeCode == "BOOL")
        return "B";
    return typeCode;
}

QByteArray TypePrefix(const QByteArray& typeCode) {
    QByteArray prefix = TypeName(typeCode);
    while (prefix.size() < 2)
        prefix += ' ';
    prefix += ' ';
    return prefix;
}

qint64 ItemLength(const QByteArray& lengthText) {
    return ParseDecimal(lengthText, 0);
}

qint64 ListCount(const QByteArray& countText) {
    return ParseDecimal(countText, -1);
}

QByteArray NumberText(const QByteArray& text, qint64 value) {
    const QByteArray plain = QByteArray::number(value);
    return plain == text ? text : plain;
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
