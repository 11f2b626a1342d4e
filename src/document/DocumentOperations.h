#pragma once

#include "document/NodeText.h"

#include <QByteArray>

namespace pravik {

class SmlDocument;
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
SmlNode* ApplyMessageDialog(SmlDocument& doc, SmlNode* selected, DialogMode mode,
                            const MessageFields& fields);

// Stores the item dialog's fields on or beside/below the selected node and
// refreshes the parent's count. Returns the node to select. selected may be
// nullptr only for AddSibling, which then appends at the top level.
SmlNode* ApplyItemDialog(SmlDocument& doc, SmlNode* selected, DialogMode mode,
                         const ItemFields& fields);

// Sets a node's image and selected-state image (one value in this model).
void SetNodeImage(SmlDocument& doc, SmlNode* node, int value);

// Rewrites the count of a fixed-length list to n; other nodes stay as they are.
void RefreshListCount(SmlDocument& doc, SmlNode* list, int n);

// Orders the top-level nodes by key, then by text (locale-aware,
// case-sensitive); subtrees move with their message.
void SortMessages(SmlDocument& doc);

} // namespace pravik
