#pragma once

#include <QByteArray>
#include <memory>
#include <vector>

namespace pravik {

// ImageIndex values: the kind of a node, and the same kinds marked in error by
// the structure check. The kind is always ImageIndex mod 3.
enum ImageIndexValue : int {
    ImageMessage = 0,
    ImageList = 1,
    ImageItem = 2,
    ImageMessageError = 3,
    ImageListError = 4,
    ImageItemError = 5,
};

enum class NodeKind : int { Message = 0, List = 1, Item = 2 };

class SmlDocument;

// One node of the document tree: its SML line without brackets, its image
// and its children. Nodes are owned by their parent; structural changes go
// through SmlDocument so that views are told about them.
class SmlNode {
public:
    explicit SmlNode(QByteArray text = {}, int imageIndex = ImageItem);
    ~SmlNode();
    SmlNode(const SmlNode&) = delete;
    SmlNode& operator=(const SmlNode&) = delete;

    const QByteArray& Text() const { return m_text; }
    int ImageIndex() const { return m_imageIndex; }
    NodeKind Kind() const { return static_cast<NodeKind>(m_imageIndex % 3); }
    bool IsCut() const { return m_cut; }

    // None for a top-level node (a message).
    SmlNode* parent() const;
    bool isTopLevel() const { return parent() == nullptr; }
    // Position among the siblings, from 0.
    int row() const { return m_row; }
    int childCount() const { return static_cast<int>(m_children.size()); }
    SmlNode* child(int row) const { return m_children[static_cast<size_t>(row)].get(); }
    // 0 at the top level; walks up, so O(depth).
    int level() const;

    // Depth-first pre-order successor inside the tree (nullptr after the
    // last node). Iterative, so any depth is fine.
    SmlNode* nextPreOrder() const;
    // Successor that skips this node's subtree.
    SmlNode* nextSkippingChildren() const;

    // Number of nodes in this subtree, this node included. Iterative.
    qint64 subtreeSize() const;
    // A deep copy of this subtree (texts and images; no cut marks). Iterative.
    std::unique_ptr<SmlNode> clone() const;

    // True when this node is node or one of its ancestors.
    bool isAncestorOf(const SmlNode* node) const;

    // For building a tree before it is handed to the document (the reader,
    // copies); never on a node that a view already shows.
    SmlNode* appendChildDetached(std::unique_ptr<SmlNode> child);
    void setTextDetached(QByteArray text) { m_text = std::move(text); }
    void setImageDetached(int value) { m_imageIndex = value; }

private:
    friend class SmlDocument;
    void renumberFrom(int first);
    bool isRoot() const { return m_isRoot; }

    QByteArray m_text;
    int m_imageIndex = ImageItem;
    int m_row = 0;
    bool m_cut = false;
    bool m_isRoot = false;       // the document's hidden holder of the messages
    SmlNode* m_parent = nullptr; // the hidden root for top-level nodes
    std::vector<std::unique_ptr<SmlNode>> m_children;
};

} // namespace pravik
