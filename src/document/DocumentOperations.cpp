#include "document/DocumentOperations.h"

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

SmlNode* ApplyMessageDialog(SmlDocument& doc, SmlNode* selected, DialogMode mode,
                            const MessageFields& fields) {
    QByteArray text = ComposeMessageText(fields);
    SmlNode* node = nullptr;
    if (mode == DialogMode::Edit && selected) {
        node = selected;
        doc.setText(node, std::move(text));
    } else {
        node =
            doc.appendNode(selected ? selected->parent() : nullptr, std::move(text), ImageMessage);
    }
    SetNodeImage(doc, node, ImageMessage);
    SortMessages(doc);
    return node;
}

SmlNode* ApplyItemDialog(SmlDocument& doc, SmlNode* selected, DialogMode mode,
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

    SmlNode* node = nullptr;
    if (mode == DialogMode::Edit && selected) {
        node = selected;
        doc.setText(node, std::move(text));
    } else if (mode == DialogMode::AddChild && selected) {
        node = doc.appendNode(selected, std::move(text), isList ? ImageList : ImageItem);
    } else {
        node = doc.appendNode(selected ? selected->parent() : nullptr, std::move(text),
                              isList ? ImageList : ImageItem);
    }
    SetNodeImage(doc, node, isList ? ImageList : ImageItem);
    if (SmlNode* parent = node->parent())
        RefreshListCount(doc, parent, parent->childCount());
    return node;
}

void SetNodeImage(SmlDocument& doc, SmlNode* node, int value) {
    doc.setImage(node, value);
}

void RefreshListCount(SmlDocument& doc, SmlNode* list, int n) {
    if (!list || list->Kind() != NodeKind::List)
        return;
    const NodeHeader header = NodeHeader::Read(*list);
    // A count field starting with "n" (the third character of the text)
    // marks a list whose length is not fixed.
    if (header.countField.startsWith('n'))
        return;
    doc.setText(list, "L " + QByteArray::number(n) + " " + header.countTail.toByteArray());
}

void SortMessages(SmlDocument& doc) {
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
    bool changed = false;
    for (size_t i = 0; i < entries.size(); ++i) {
        order.push_back(entries[i].node);
        changed = changed || entries[i].node->row() != static_cast<int>(i);
    }
    if (changed)
        doc.reorderTopLevel(order);
}

} // namespace pravik
