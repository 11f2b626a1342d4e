#include "codegen/GeneratedNames.h"

#include "document/ItemTypes.h"
#include "document/NodeHeader.h"
#include "document/NodeText.h"

namespace pravik {

namespace {

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
    OwnedTextWords words = SplitTextWords(text);
    return {std::move(words.type), std::move(words.length), std::move(words.description)};
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

QByteArray MemberName(const QByteArray& text) {
    return MemberNameFromDescription(SplitTextWords(text).description);
}

QByteArrayView TypeName(QByteArrayView typeCode) {
    // Codes that are no item type (also "L") stay as they are.
    const ItemType* type = ItemTypes::find(typeCode);
    return type && type->typeName ? QByteArrayView(type->typeName) : typeCode;
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

MessageNumbers MessageNumbersOf(const QByteArray& text) {
    const NodeHeader header = NodeHeader::Read(text, NodeKind::Message);
    return {header.stream(), header.function()};
}

QByteArray MessageClassName(const MessageNumbers& numbers) {
    return "clsS" + QByteArray::number(numbers.stream) + 'F' + QByteArray::number(numbers.function);
}

QByteArray DeclaredClassName(const QByteArray& text) {
    const QByteArray head = NodeHeader::Read(text, NodeKind::Message).head.toByteArray();
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
