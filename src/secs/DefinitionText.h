#pragma once

#include <QByteArray>

namespace pravik {

struct ItemType;

// The node texts an import of common SML composes. The export compares a
// definition's texts with these to know when the exact text must travel as
// a mark, so both sides share them.

// The message type a header implies: "P" (0) when a reply is expected or
// the function is odd, "S" (1) otherwise.
int ImpliedMessageType(bool replyExpected, int function);
// "S6F11 P Event Report Send", as the message dialog composes it.
QByteArray ComposeImportedMessageText(int stream, int function, int messageType,
                                      const QByteArray& description);
// "L 3 Report", "L n RPT".
QByteArray ComposeImportedListText(bool variable, qint64 count, const QByteArray& description);
// "U4 1 DATAID", "A n VALUE".
QByteArray ComposeImportedItemText(const ItemType& type, bool variable, qint64 length,
                                   const QByteArray& description);
// The same appended to out (a list is the type L).
void AppendImportedItemText(QByteArray& out, const ItemType& type, bool variable, qint64 length,
                            QByteArrayView description);

} // namespace pravik
