#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace pravik {

enum class NodeKind : int { Message = 0, List = 1, Item = 2 };

// The images the tree shows: one per kind, and the same kinds marked in
// error by the structure check (the kind + 3). A node holds its kind; the
// check's marks are the document's (SmlDocument::imageIndexOf).
enum ImageIndexValue : int {
    ImageMessage = 0,
    ImageList = 1,
    ImageItem = 2,
    ImageMessageError = 3,
    ImageListError = 4,
    ImageItemError = 5,
};

inline constexpr int ImageIndexFor(NodeKind kind, bool marked) {
    return static_cast<int>(kind) + (marked ? 3 : 0);
}

class NodeArena;
class SmlDocument;

// One node of the document tree: its SML line without brackets, its kind
// and its children. Nodes live in their document's NodeArena; structural
// changes go through SmlDocument so that views are told about them.
class SmlNode {
public:
    SmlNode(const SmlNode&) = delete;
    SmlNode& operator=(const SmlNode&) = delete;

    // The text bytes, shared with the arena (no copy is made; a NUL follows
    // them). Valid while the document or the subtree holding the node lives:
    // keep a deep copy (QByteArray(TextView())) to hold it longer.
    QByteArray Text() const { return QByteArray::fromRawData(m_text, m_textSize); }
    QByteArrayView TextView() const { return QByteArrayView(m_text, m_textSize); }
    // Fixed by whoever creates the node (the reader by the text's first
    // letter, the dialogs by the type chosen); an item edited into a list
    // changes it.
    NodeKind Kind() const { return m_kind; }
    bool IsCut() const { return m_cut; }
    // The line of the file the node was read from, from 1; 0 for a node
    // made by editing.
    int sourceLine() const { return m_sourceLine; }

    // None for a top-level node (a message).
    SmlNode* parent() const;
    bool isTopLevel() const { return parent() == nullptr; }
    // Position among the siblings, from 0.
    int row() const { return m_row; }
    int childCount() const { return m_childCount; }
    SmlNode* child(int row) const { return m_children[row]; }
    // 0 at the top level; walks up, so O(depth).
    int level() const;
    // The message this node belongs to (itself for a message); O(depth).
    const SmlNode* message() const;

    // Depth-first pre-order successor inside the tree (nullptr after the
    // last node). Iterative, so any depth is fine.
    SmlNode* nextPreOrder() const;
    // Successor that skips this node's subtree.
    SmlNode* nextSkippingChildren() const;

    // Number of nodes in this subtree, this node included. Iterative.
    qint64 subtreeSize() const;

    // True when this node is node or one of its ancestors.
    bool isAncestorOf(const SmlNode* node) const;

    // For building a tree before it is handed to the document (the reader);
    // never on a node that a view already shows.
    void setKindDetached(NodeKind kind) { m_kind = kind; }
    void setSourceLine(int line) { m_sourceLine = line; }

private:
    friend class NodeArena;
    friend class SmlDocument;
    SmlNode(const char* text, int textSize, NodeKind kind)
        : m_text(text), m_textSize(textSize), m_kind(kind) {}
    void renumberFrom(int first);
    bool isRoot() const { return m_isRoot; }

    const char* m_text;
    int m_textSize;
    int m_row = 0;
    SmlNode* m_parent = nullptr; // the hidden root for top-level nodes
    SmlNode** m_children = nullptr;
    int m_childCount = 0;
    int m_sourceLine = 0;
    NodeKind m_kind;
    unsigned char m_capacityClass = 0xFF; // of m_children; 0xFF: none
    bool m_cut = false;
    bool m_isRoot = false; // the document's hidden holder of the messages
};

} // namespace pravik
