#include "document/EditCommands.h"

#include "document/DocumentEditor.h"
#include "document/NodeSearch.h"
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
    const bool changed = doc.perform(name, [&](DocumentEditor& ed) { result = edit(ed); });
    return changed ? result : nullptr;
}

// Moves node to the end of target's children: the old parent counts one
// child less, target one more. A move onto its own parent changes no count.
void MoveUnder(DocumentEditor& ed, SmlNode* node, SmlNode* target) {
    SmlNode* oldParent = node->parent();
    if (oldParent && oldParent != target)
        RefreshListCount(ed, oldParent, oldParent->childCount() - 1);
    ed.moveNode(node, target, target->childCount());
    RefreshListCount(ed, target, target->childCount());
}

// A copy keeps the error marks of its source, as it keeps its kinds.
SmlNode* InsertCopy(DocumentEditor& ed, const SmlNode* source, SmlNode* parent) {
    SmlDocument& doc = ed.document();
    SmlNode* copy = ed.insertSubtree(parent, doc.childCountOf(parent), doc.cloneSubtree(source));
    doc.copyCheckMarks(source, copy);
    return copy;
}

SmlNode* CopyUnder(DocumentEditor& ed, const SmlNode* source, SmlNode* target) {
    if (source->Kind() == NodeKind::Message) {
        SmlNode* copy = InsertCopy(ed, source, nullptr);
        SortMessages(ed);
        return copy;
    }
    if (!target)
        return nullptr; // a list or item never lands at the top level
    SmlNode* copy = InsertCopy(ed, source, target);
    RefreshListCount(ed, target, target->childCount());
    return copy;
}

} // namespace

SmlNode* AddMessage(SmlDocument& doc, SmlNode* beside, const MessageFields& fields) {
    return Perform(doc, AddName(), [&](DocumentEditor& ed) {
        return ApplyMessageDialog(ed, beside, DialogMode::AddSibling, fields);
    });
}

SmlNode* AddItem(SmlDocument& doc, SmlNode* selected, DialogMode mode, const ItemFields& fields) {
    return Perform(doc, mode == DialogMode::AddChild ? AddSubName() : AddName(),
                   [&](DocumentEditor& ed) { return ApplyItemDialog(ed, selected, mode, fields); });
}

SmlNode* EditMessage(SmlDocument& doc, SmlNode* node, const MessageFields& fields) {
    return Perform(doc, EditName(), [&](DocumentEditor& ed) {
        return ApplyMessageDialog(ed, node, DialogMode::Edit, fields);
    });
}

SmlNode* EditItem(SmlDocument& doc, SmlNode* node, const ItemFields& fields) {
    return Perform(doc, EditName(), [&](DocumentEditor& ed) {
        return ApplyItemDialog(ed, node, DialogMode::Edit, fields);
    });
}

SmlNode* DeleteNode(SmlDocument& doc, SmlNode* node, SmlNode* selectAfter) {
    return Perform(doc, DeleteName(), [&](DocumentEditor& ed) {
        if (SmlNode* parent = node->parent())
            RefreshListCount(ed, parent, parent->childCount() - 1);
        ed.removeNode(node);
        return selectAfter;
    });
}

SmlNode* MoveUp(SmlDocument& doc, SmlNode* node) {
    if (node->row() == 0)
        return nullptr;
    return Perform(doc, MoveUpName(), [&](DocumentEditor& ed) {
        ed.moveNode(node, node->parent(), node->row() - 1);
        return node;
    });
}

SmlNode* MoveDown(SmlDocument& doc, SmlNode* node) {
    if (node->row() + 1 >= doc.childCountOf(node->parent()))
        return nullptr;
    // Before the sibling after next, or to the end when there is none.
    return Perform(doc, MoveDownName(), [&](DocumentEditor& ed) {
        ed.moveNode(node, node->parent(), node->row() + 2);
        return node;
    });
}

SmlNode* PasteCopy(SmlDocument& doc, const SmlNode* source, SmlNode* target) {
    return Perform(doc, PasteName(),
                   [&](DocumentEditor& ed) { return CopyUnder(ed, source, target); });
}

SmlNode* PasteCut(SmlDocument& doc, SmlNode* cut, SmlNode* target) {
    return Perform(doc, PasteName(), [&](DocumentEditor& ed) -> SmlNode* {
        if (cut->Kind() == NodeKind::Message) {
            ed.moveNode(cut, nullptr, doc.topLevelCount());
            SortMessages(ed);
            return cut;
        }
        if (!target)
            return nullptr;
        MoveUnder(ed, cut, target);
        return cut;
    });
}

SmlNode* DropMove(SmlDocument& doc, SmlNode* dragged, SmlNode* target) {
    if (dragged->Kind() == NodeKind::Message)
        return nullptr; // messages stay at the top level
    return Perform(doc, DropMoveName(), [&](DocumentEditor& ed) {
        MoveUnder(ed, dragged, target);
        return dragged;
    });
}

SmlNode* DropCopy(SmlDocument& doc, const SmlNode* dragged, SmlNode* target) {
    return Perform(doc, DropCopyName(),
                   [&](DocumentEditor& ed) { return CopyUnder(ed, dragged, target); });
}

bool CanPlace(const SmlDocument& doc, const SmlNode* node, const SmlNode* target, Placing how) {
    switch (how) {
    case Placing::NewChild:
        // A new list or item goes below a message or a list.
        return target && target->Kind() != NodeKind::Item;
    case Placing::Paste:
        // Never into its own subtree; lists and items never below an item.
        // Without a target a message joins the top level, and a list or
        // item goes nowhere (which is no refusal).
        return !node || !target ||
               (!node->isAncestorOf(target) &&
                (node->Kind() == NodeKind::Message || target->Kind() != NodeKind::Item));
    case Placing::Drop:
        // Neither into its own subtree nor onto the node right before it (a
        // drop there would change nothing or lose the node in itself);
        // messages only onto messages, lists and items onto any node.
        if (!node || !target || node->isAncestorOf(target))
            return false;
        if (target == PreviousPreOrder(doc, node))
            return false;
        return node->Kind() != NodeKind::Message || target->Kind() == NodeKind::Message;
    }
    return false;
}

} // namespace pravik::EditCommands
