#pragma once

#include "document/DocumentOperations.h"

#include <QString>

namespace pravik {

class SmlDocument;
class SmlNode;

// The user's edits, each one undoable step on the document's undo stack
// (SmlDocument::perform). They keep the document's rules themselves: the
// counts of fixed-length lists, the order of the messages. Each returns the
// node to select afterwards, or nullptr when the edit changed nothing and
// so pushed no step (the document is then not modified by it).
namespace EditCommands {

// The names the undo and redo commands show ("실행 취소: 삭제").
QString AddName();
QString AddSubName();
QString EditName();
QString DeleteName();
QString MoveUpName();
QString MoveDownName();
QString PasteName();
QString DropMoveName();
QString DropCopyName();

// A new message at the top level (beside is a message or nullptr), sorted
// into place.
SmlNode* AddMessage(SmlDocument& doc, SmlNode* beside, const MessageFields& fields);
// A new list or item: the last sibling of selected (AddSibling) or its last
// child (AddChild); the parent's count follows.
SmlNode* AddItem(SmlDocument& doc, SmlNode* selected, DialogMode mode, const ItemFields& fields);
// New text for a message (the top level is sorted again) or a list or item
// (a fixed list's count is its number of children).
SmlNode* EditMessage(SmlDocument& doc, SmlNode* node, const MessageFields& fields);
SmlNode* EditItem(SmlDocument& doc, SmlNode* node, const ItemFields& fields);
// Removes node with its subtree; a fixed parent list counts one child less.
// Returns selectAfter (the caller's choice), or nullptr when nothing was done.
SmlNode* DeleteNode(SmlDocument& doc, SmlNode* node, SmlNode* selectAfter);
// One place up or down among the siblings.
SmlNode* MoveUp(SmlDocument& doc, SmlNode* node);
SmlNode* MoveDown(SmlDocument& doc, SmlNode* node);
// A copy of source: a message joins the top level in key order, a list or
// item becomes the last child of target (which must then be given).
SmlNode* PasteCopy(SmlDocument& doc, const SmlNode* source, SmlNode* target);
// Moves a cut node: a message to the top level in key order, a list or item
// to the end of target's children; both counts follow.
SmlNode* PasteCut(SmlDocument& doc, SmlNode* cut, SmlNode* target);
// A dragged list or item dropped on target: moved (or copied) to the end of
// target's children; the counts follow. Messages are not moved by a drop; a
// copied message joins the top level in key order.
SmlNode* DropMove(SmlDocument& doc, SmlNode* dragged, SmlNode* target);
SmlNode* DropCopy(SmlDocument& doc, const SmlNode* dragged, SmlNode* target);

// The ways a node comes to a new place below target.
enum class Placing {
    NewChild, // a new list or item added below target (node is nullptr)
    Paste,    // the clipboard's node pasted on target (nullptr: nothing selected)
    Drop,     // a dragged node dropped on target
};
// Where a node may be placed: the one rule behind paste's refusal, the
// drop's acceptance and the enabling of the commands that place nodes.
bool CanPlace(const SmlDocument& doc, const SmlNode* node, const SmlNode* target, Placing how);

} // namespace EditCommands

} // namespace pravik
