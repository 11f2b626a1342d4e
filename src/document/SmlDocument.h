#pragma once

#include "document/SmlNode.h"

#include <QAbstractItemModel>
#include <memory>
#include <vector>

namespace pravik {

// The one copy of the document: the tree of SmlNodes, shown directly by the
// main window's tree view. Every structural change goes through here and is
// announced with the matching model notifications. QtCore only: icons and
// the greyed cut look are the GUI's business (see the roles below).
class SmlDocument : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Roles {
        TextRole = Qt::UserRole + 1, // QByteArray, the node text as stored
        ImageIndexRole,              // int, 0 to 5
        CutRole,                     // bool, the node waits to be pasted after a cut
    };

    explicit SmlDocument(QObject* parent = nullptr);
    ~SmlDocument() override;

    // --- the tree -------------------------------------------------------
    int topLevelCount() const { return m_root->childCount(); }
    SmlNode* topLevel(int row) const { return m_root->child(row); }
    // First node in pre-order, or nullptr for an empty document.
    SmlNode* firstNode() const { return topLevelCount() ? topLevel(0) : nullptr; }
    // Nodes at all levels; kept up to date by every operation.
    qint64 nodeCount() const { return m_nodeCount; }
    // The children of parent, or the top level for nullptr.
    int childCountOf(const SmlNode* parent) const;

    QModelIndex indexOf(const SmlNode* node) const;
    SmlNode* nodeFromIndex(const QModelIndex& index) const;
    // Absolute (pre-order) index of a node; O(nodes before it).
    qint64 absoluteIndexOf(const SmlNode* node) const;
    SmlNode* nodeAtAbsoluteIndex(qint64 index) const;

    // --- structural changes ---------------------------------------------
    // Replaces the whole tree (reader, New). The clipboard owner must forget
    // references into the old tree.
    void resetTo(std::vector<std::unique_ptr<SmlNode>> topLevelNodes, qint64 nodeCount);
    void clear();

    // Appends a new node as last child of parent (nullptr: top level).
    SmlNode* appendNode(SmlNode* parent, QByteArray text, int imageIndex);
    // Inserts a detached subtree as child number row of parent (nullptr: top level).
    SmlNode* insertSubtree(SmlNode* parent, int row, std::unique_ptr<SmlNode> subtree);
    // Detaches a node with its subtree from the tree.
    std::unique_ptr<SmlNode> takeNode(SmlNode* node);
    void removeNode(SmlNode* node);
    // Moves node (with its subtree) so that it becomes child number row of
    // newParent (nullptr: top level), row counted as before the move, like
    // QAbstractItemModel::beginMoveRows. Refuses (false) to move a node into
    // its own subtree.
    bool moveNode(SmlNode* node, SmlNode* newParent, int row);
    // Reorders the top level; order holds every top-level node once.
    void reorderTopLevel(const std::vector<SmlNode*>& order);

    // --- node content -----------------------------------------------------
    void setText(SmlNode* node, QByteArray text);
    // SetNodeImage: the image and the selected-state image.
    void setImage(SmlNode* node, int value);
    void setCut(SmlNode* node, bool cut);

    // Many image changes at once (the structure check): one layout
    // notification instead of one per node, which a large tree view cannot
    // afford. Between begin and end only setImageQuietly may be used.
    void beginBulkImageChange();
    void setImageQuietly(SmlNode* node, int value) { node->m_imageIndex = value; }
    void endBulkImageChange();

    // --- QAbstractItemModel -------------------------------------------------
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // Emitted before a node and its subtree leave the tree (remove, take,
    // reset), so holders of node pointers can let go.
    void nodesAboutToBeRemoved(pravik::SmlNode* subtreeRoot);
    void documentAboutToBeReset();

private:
    SmlNode* holder(SmlNode* parent) const { return parent ? parent : m_root.get(); }

    std::unique_ptr<SmlNode> m_root; // hidden; its children are the messages
    qint64 m_nodeCount = 0;
};

} // namespace pravik
