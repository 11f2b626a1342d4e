#include "secs/DefinitionText.h"

#include "document/DocumentOperations.h"
#include "document/ItemTypes.h"

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
    QByteArray text(type.code);
    text += ' ';
    text += variable ? QByteArray("n") : QByteArray::number(length);
    text += ' ';
    text += description;
    return text;
}

} // namespace pravik
