#include "document/DocumentOperations.h"

#include "document/DocumentEditor.h"
#include "document/ItemTypes.h"
#include "document/NodeHeader.h"
#include "document/SmlDocument.h"
#include "platform/Collation.h"

#include <algorithm>

namespace pravik {

QByteArray ComposeMessageText(const MessageFields& f) {
    QByteArray text = "S" + f.stream + "F" + f.function + " ";
    if (f.messageType >= 0 && f.messageType < kMessageTypeCount)
        text += kMessageTypeCodes[static_cast<size_t>(f.messageType)];
    text += f.description;
    return text;
}

SmlNode* ApplyMessageDialog(DocumentEditor& ed, SmlNode* selected, DialogMode mode,
                            const MessageFields& fields) {
    QByteArray text = ComposeMessageText(fields);
    SmlNode* node = nullptr;
    if (mode == DialogMode::Edit && selected) {
        node = selected;
        ed.setText(node, text);
    } else {
        node = ed.appendNode(selected ? selected->parent() : nullptr, text, NodeKind::Message);
    }
    SetNodeImage(ed, node, ImageMessage);
    SortMessages(ed);
    return node;
}

SmlNode* ApplyItemDialog(DocumentEditor& ed, SmlNode* selected, DialogMode mode,
                         const ItemFields& fields) {
    const ItemType* type = ItemTypes::at(fields.itemType);
    const bool isList = fields.itemType == ItemTypes::kListIndex;
    QByteArray text;
    if (type)
        text.append(type->code).append(' ');
    if (fields.lengthNotFixed)
        text += "n ";
    else if (!isList)
        text += fields.length + " ";
    else
        text +=
            QByteArray::number(mode == DialogMode::Edit && selected ? selected->childCount() : 0) +
            " ";
    text += fields.description;

    const NodeKind kind = isList ? NodeKind::List : NodeKind::Item;
    SmlNode* node = nullptr;
    if (mode == DialogMode::Edit && selected) {
        node = selected;
        ed.setText(node, text);
    } else if (mode == DialogMode::AddChild && selected) {
        node = ed.appendNode(selected, text, kind);
    } else {
        node = ed.appendNode(selected ? selected->parent() : nullptr, text, kind);
    }
    SetNodeImage(ed, node, static_cast<int>(kind));
    if (SmlNode* parent = node->parent())
        RefreshListCount(ed, parent, parent->childCount());
    return node;
}

void SetNodeImage(DocumentEditor& ed, SmlNode* node, int value) {
    ed.setKind(node, static_cast<NodeKind>(value % 3));
    ed.document().setCheckMark(node, value >= ImageMessageError);
}

void RefreshListCount(DocumentEditor& ed, SmlNode* list, int n) {
    if (!list || list->Kind() != NodeKind::List)
        return;
    const NodeHeader header = NodeHeader::Read(*list);
    // A count field starting with "n" (the third character of the text)
    // marks a list whose length is not fixed.
    if (header.countField.startsWith('n'))
        return;
    ed.setText(list, "L " + QByteArray::number(n) + " " + header.countTail.toByteArray());
}

namespace {

// Puts the top level into order. When order differs from the present one by
// a single message moved (the usual case after one message was added or
// edited), that message is moved alone: views keep their state and an undo
// step records one move instead of the whole order.
void ApplyTopLevelOrder(DocumentEditor& ed, const std::vector<SmlNode*>& order) {
    const SmlDocument& doc = ed.document();
    const int count = static_cast<int>(order.size());
    int first = 0;
    while (first < count && order[static_cast<size_t>(first)] == doc.topLevel(first))
        ++first;
    if (first == count)
        return;
    int last = count - 1;
    while (order[static_cast<size_t>(last)] == doc.topLevel(last))
        --last;
    auto at = [&](int i) { return order[static_cast<size_t>(i)]; };
    // The message at first moved down to last?
    bool down = at(last) == doc.topLevel(first);
    for (int i = first; down && i < last; ++i)
        down = at(i) == doc.topLevel(i + 1);
    if (down) {
        ed.moveNode(doc.topLevel(first), nullptr, last + 1);
        return;
    }
    // The message at last moved up to first?
    bool up = at(first) == doc.topLevel(last);
    for (int i = first + 1; up && i <= last; ++i)
        up = at(i) == doc.topLevel(i - 1);
    if (up) {
        ed.moveNode(doc.topLevel(last), nullptr, first);
        return;
    }
    ed.reorderTopLevel(order);
}

} // namespace

void SortMessages(DocumentEditor& ed) {
    const SmlDocument& doc = ed.document();
    const int count = doc.topLevelCount();
    if (count < 2)
        return;
    struct Entry {
        SmlNode* node;
        qint64 key;
        QCollatorSortKey textKey;
    };
    Collation collation;
    std::vector<Entry> entries;
    entries.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        SmlNode* n = doc.topLevel(i);
        entries.push_back({n, MessageKey(n->Text()), collation.sortKey(n->Text())});
    }
    // Ascending key, then the whole text; the numeric key also orders keys
    // beyond six digits and negative ones sensibly.
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (a.key != b.key)
            return a.key < b.key;
        return a.textKey.compare(b.textKey) < 0;
    });
    std::vector<SmlNode*> order;
    order.reserve(entries.size());
    for (const Entry& e : entries)
        order.push_back(e.node);
    ApplyTopLevelOrder(ed, order);
}

} // namespace pravik
