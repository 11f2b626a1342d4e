#include "secs/DefinitionText.h"

#include "document/DocumentOperations.h"
#include "document/ItemTypes.h"

#include <charconv>

namespace pravik {

int ImpliedMessageType(bool replyExpected, int function) {
    return replyExpected || function % 2 == 1 ? 0 : 1;
}

QByteArray ComposeImportedMessageText(int stream, int function, int messageType,
                                      const QByteArray& description) {
    return ComposeMessageText(
        {QByteArray::number(stream), QByteArray::number(function), messageType, description});
}

QByteArray ComposeImportedListText(bool variable, qint64 count, const QByteArray& description) {
    return ComposeImportedItemText(ItemTypes::list(), variable, count, description);
}

QByteArray ComposeImportedItemText(const ItemType& type, bool variable, qint64 length,
                                   const QByteArray& description) {
    QByteArray text;
    AppendImportedItemText(text, type, variable, length, description);
    return text;
}

void AppendImportedItemText(QByteArray& out, const ItemType& type, bool variable, qint64 length,
                            QByteArrayView description) {
    out.append(type.code).append(' ');
    if (variable) {
        out.append('n');
    } else {
        char digits[24];
        const auto r = std::to_chars(digits, digits + sizeof digits, length);
        out.append(digits, r.ptr - digits);
    }
    out.append(' ').append(description);
}

} // namespace pravik
