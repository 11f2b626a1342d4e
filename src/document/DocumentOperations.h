#pragma once

#include "document/NodeText.h"

#include <QByteArray>

namespace pravik {

class DocumentEditor;
class SmlNode;

// The message dialog's fields as plain values (bytes in the ANSI code page).
struct MessageFields {
    QByteArray stream;
    QByteArray function;
    int messageType = -1; // index into kMessageTypeCodes; anything else writes nothing
    QByteArray description;
};

// The item dialog's fields as plain values.
struct ItemFields {
    int itemType = -1; // index into ItemTypes; anything else writes no code
    QByteArray length;
    bool lengthNotFixed = false;
    QByteArray description;
};

// The message text the fields compose.
QByteArray ComposeMessageText(const MessageFields& fields);

// Stores the message dialog's fields: Edit replaces the selected node's text,
// any other mode appends a new message beside the selected node (or at the
// end of the top level). Sorts the messages. Returns the node to select.
SmlNode* ApplyMessageDialog(DocumentEditor& ed, SmlNode* selected, DialogMode mode,
                            const MessageFields& fields);

// Stores the item dialog's fields on or beside/below the selected node and
// refreshes the parent's count. Returns the node to select. selected may be
// nullptr only for AddSibling, which then appends at the top level.
SmlNode* ApplyItemDialog(DocumentEditor& ed, SmlNode* selected, DialogMode mode,
                         const ItemFields& fields);

// Gives a node the image value: its kind (value mod 3) as an edit, and the
// structure check's mark (values 3 to 5) or none, which is not an edit.
void SetNodeImage(DocumentEditor& ed, SmlNode* node, int value);

// Rewrites the count of a fixed-length list to n; other nodes stay as they are.
void RefreshListCount(DocumentEditor& ed, SmlNode* list, int n);

// Orders the top-level nodes by key, then by text (locale-aware,
// case-sensitive); subtrees move with their message.
void SortMessages(DocumentEditor& ed);

} // namespace pravik
