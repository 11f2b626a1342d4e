#pragma once

#include "document/NodeArena.h"

#include <QByteArrayView>
#include <vector>

namespace pravik {

class SmlDocument;
class SmlNode;
enum class NodeKind : int;

// The calls that change a document's tree. Only SmlDocument::perform()
// makes one, for the edit it runs, so every change of the tree is recorded
// in an undoable step: code outside an edit has no way to change the tree.
class DocumentEditor {
public:
    DocumentEditor(const DocumentEditor&) = delete;
    DocumentEditor& operator=(const DocumentEditor&) = delete;

    SmlDocument& document() const { return m_doc; }

    // Appends a new node as last child of parent (nullptr: top level).
    SmlNode* appendNode(SmlNode* parent, QByteArrayView text, NodeKind kind);
    // Inserts a detached subtree as child number row of parent (nullptr:
    // top level). A subtree from another document is copied in.
    SmlNode* insertSubtree(SmlNode* parent, int row, DetachedSubtree subtree);
    // Removes a node with its subtree (kept by the step for its undo).
    void removeNode(SmlNode* node);
    // Moves node (with its subtree) so that it becomes child number row of
    // newParent (nullptr: top level), row counted as before the move, like
    // QAbstractItemModel::beginMoveRows. Refuses (false) to move a node into
    // its own subtree.
    bool moveNode(SmlNode* node, SmlNode* newParent, int row);
    // Reorders the top level; order holds every top-level node once.
    void reorderTopLevel(const std::vector<SmlNode*>& order);
    // Stores new text bytes; the same bytes again change nothing.
    void setText(SmlNode* node, QByteArrayView text);
    // Gives a node another kind (an item edited into a list).
    void setKind(SmlNode* node, NodeKind kind);

private:
    friend class SmlDocument;
    explicit DocumentEditor(SmlDocument& doc) : m_doc(doc) {}
    SmlDocument& m_doc;
};

} // namespace pravik
