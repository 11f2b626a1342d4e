#include "document/EditCommands.h"

#include "document/SmlDocument.h"

namespace pravik::EditCommands {

QString AddName() {
    return QStringLiteral("추가");
}
QString AddSubName() {
    return QStringLiteral("하위 추가");
}
QString EditName() {
    return QStringLiteral("수정");
}
QString DeleteName() {
    return QStringLiteral("삭제");
}
QString MoveUpName() {
    return QStringLiteral("위로 이동");
}
QString MoveDownName() {
    return QStringLiteral("아래로 이동");
}
QString PasteName() {
    return QStringLiteral("붙이기");
}
QString DropMoveName() {
    return QStringLiteral("끌어서 옮기기");
}
QString DropCopyName() {
    return QStringLiteral("끌어서 복사");
}

namespace {

// Runs edit as one step; the node it leaves to select when it changed
// anything.
template <typename Edit> SmlNode* Perform(SmlDocument& doc, const QString& name, Edit&& edit) {
    SmlNode* result = nullptr;
    const bool changed = doc.perform(name, [&] { result = edit(); });
    return changed ? result : nullptr;
}

// Moves node to the end of target's children: the old parent counts one
// child less, target one more. A move onto its own parent changes no count.
void MoveUnder(SmlDocument& doc, SmlNode* node, SmlNode* target) {
    SmlNode* oldParent = node->parent();
    if (oldParent && oldParent != target)
        RefreshListCount(doc, oldParent, oldParent->childCount() - 1);
    doc.moveNode(node, target, target->childCount());
    RefreshListCount(doc, target, target->childCount());
}

SmlNode* CopyUnder(SmlDocument& doc, const SmlNode* source, SmlNode* target) {
    if (source->Kind() == NodeKind::Message) {
        SmlNode* copy = doc.insertSubtree(nullptr, doc.topLevelCount(), doc.cloneSubtree(source));
        SortMessages(doc);
        return copy;
    }
    if (!target)
        return nullptr; // a list or item never lands at the top level
    SmlNode* copy = doc.insertSubtree(target, target->childCount(), doc.cloneSubtree(source));
    RefreshListCount(doc, target, target->childCount());
    return copy;
}

} // namespace

SmlNode* AddMessage(SmlDocument& doc, SmlNode* beside, const MessageFields& fields) {
    return Perform(doc, AddName(),
                   [&] { return ApplyMessageDialog(doc, beside, DialogMode::AddSibling, fields); });
}

SmlNode* AddItem(SmlDocument& doc, SmlNode* selected, DialogMode mode, const ItemFields& fields) {
    return Perform(doc, mode == DialogMode::AddChild ? AddSubName() : AddName(),
                   [&] { return ApplyItemDialog(doc, selected, mode, fields); });
}

SmlNode* EditMessage(SmlDocument& doc, SmlNode* node, const MessageFields& fields) {
    return Perform(doc, EditName(),
                   [&] { return ApplyMessageDialog(doc, node, DialogMode::Edit, fields); });
}

SmlNode* EditItem(SmlDocument& doc, SmlNode* node, const ItemFields& fields) {
    return Perform(doc, EditName(),
                   [&] { return ApplyItemDialog(doc, node, DialogMode::Edit, fields); });
}

SmlNode* DeleteNode(SmlDocument& doc, SmlNode* node, SmlNode* selectAfter) {
    return Perform(doc, DeleteName(), [&] {
        if (SmlNode* parent = node->parent())
            RefreshListCount(doc, parent, parent->childCount() - 1);
        doc.removeNode(node);
        return selectAfter;
    });
}

SmlNode* MoveUp(SmlDocument& doc, SmlNode* node) {
    if (node->row() == 0)
        return nullptr;
    return Perform(doc, MoveUpName(), [&] {
        doc.moveNode(node, node->parent(), node->row() - 1);
        return node;
    });
}

SmlNode* MoveDown(SmlDocument& doc, SmlNode* node) {
    if (node->row() + 1 >= doc.childCountOf(node->parent()))
        return nullptr;
    // Before the sibling after next, or to the end when there is none.
    return Perform(doc, MoveDownName(), [&] {
        doc.moveNode(node, node->parent(), node->row() + 2);
        return node;
    });
}

SmlNode* PasteCopy(SmlDocument& doc, const SmlNode* source, SmlNode* target) {
    return Perform(doc, PasteName(), [&] { return CopyUnder(doc, source, target); });
}

SmlNode* PasteCut(SmlDocument& doc, SmlNode* cut, SmlNode* target) {
    return Perform(doc, PasteName(), [&]() -> SmlNode* {
        if (cut->Kind() == NodeKind::Message) {
            doc.moveNode(cut, nullptr, doc.topLevelCount());
            SortMessages(doc);
            return cut;
        }
        if (!target)
            return nullptr;
        MoveUnder(doc, cut, target);
        return cut;
    });
}

SmlNode* DropMove(SmlDocument& doc, SmlNode* dragged, SmlNode* target) {
    if (dragged->Kind() == NodeKind::Message)
        return nullptr; // messages stay at the top level
    return Perform(doc, DropMoveName(), [&] {
        MoveUnder(doc, dragged, target);
        return dragged;
    });
}

SmlNode* DropCopy(SmlDocument& doc, const SmlNode* dragged, SmlNode* target) {
    return Perform(doc, DropCopyName(), [&] { return CopyUnder(doc, dragged, target); });
}

} // namespace pravik::EditCommands
