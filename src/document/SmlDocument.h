#pragma once

#include "document/NodeArena.h"
#include "document/SmlNode.h"

#include <QAbstractItemModel>
#include <functional>
#include <memory>
#include <vector>

class QUndoStack;

namespace pravik {

class DocumentEdit;

// The one copy of the document: the tree of SmlNodes, shown directly by the
// main window's tree view. Every structural change goes through here and is
// announced with the matching model notifications. The document also keeps
// the undo stack of the user's edits: every edit runs through perform(),
// which records what it changed as one undoable step. No widgets here: icons
// and the greyed cut look are the GUI's business (see the roles below).
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

    // --- edits and their undo ---------------------------------------------
    // Runs edit as one undoable step named name: whatever it changes through
    // the structural and content calls below is recorded and pushed on the
    // undo stack. Returns false, pushing nothing, when edit changed nothing.
    // When edit throws, everything it changed is taken back first, so the
    // document is as it was, and the exception travels on.
    bool perform(const QString& name, const std::function<void()>& edit);
    // The step perform() pushed last (for the caller to note selections).
    DocumentEdit* lastEdit() const;
    QUndoStack* undoStack() const { return m_undoStack; }
    // Unsaved changes: the undo stack is away from the state last saved,
    // opened or made new.
    bool isModified() const;
    // The current state is the saved one (after a successful Save).
    void setSaved();

    // --- building and replacing -------------------------------------------
    // Replaces the whole tree (reader, New) with the messages held by root
    // (a tree made with DetachedSubtree::createRoot). The undo steps of the
    // old tree go with it; the new state counts as saved.
    void resetTo(DetachedSubtree root, qint64 nodeCount);
    void clear();
    // A new detached node, or a deep copy of a subtree, in this document's
    // memory, for inserting later.
    DetachedSubtree newDetached(QByteArrayView text, int imageIndex);
    DetachedSubtree cloneSubtree(const SmlNode* node);
    // The memory of this document's nodes.
    NodeArena& arena() { return *m_arena; }

    // --- structural changes ---------------------------------------------
    // Appends a new node as last child of parent (nullptr: top level).
    SmlNode* appendNode(SmlNode* parent, QByteArrayView text, int imageIndex);
    // Inserts a detached subtree as child number row of parent (nullptr:
    // top level). A subtree from another document is copied in.
    SmlNode* insertSubtree(SmlNode* parent, int row, DetachedSubtree subtree);
    // Detaches a node with its subtree from the tree.
    DetachedSubtree takeNode(SmlNode* node);
    void removeNode(SmlNode* node);
    // Moves node (with its subtree) so that it becomes child number row of
    // newParent (nullptr: top level), row counted as before the move, like
    // QAbstractItemModel::beginMoveRows. Refuses (false) to move a node into
    // its own subtree.
    bool moveNode(SmlNode* node, SmlNode* newParent, int row);
    // Reorders the top level; order holds every top-level node once.
    void reorderTopLevel(const std::vector<SmlNode*>& order);

    // --- node content -----------------------------------------------------
    // Stores new text bytes; the same bytes again change nothing.
    void setText(SmlNode* node, QByteArrayView text);
    // SetNodeImage: the image and the selected-state image.
    void setImage(SmlNode* node, int value);
    // The cut mark is display state, not an edit: never recorded.
    void setCut(SmlNode* node, bool cut);

    // Many image changes at once (the structure check): one layout
    // notification instead of one per node, which a large tree view cannot
    // afford. Between begin and end only setImageQuietly may be used. These
    // marks are not edits and are not recorded.
    void beginBulkImageChange();
    void setImageQuietly(SmlNode* node, int value) {
        node->m_imageIndex = static_cast<signed char>(value);
    }
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
    // undo of an insertion), so holders of node pointers can let go.
    void nodesAboutToBeRemoved(pravik::SmlNode* subtreeRoot);
    void documentAboutToBeReset();
    // Modified changed (an edit, an undo or redo, a save, a reset).
    void modifiedChanged(bool modified);

private:
    friend class DocumentEdit;
    struct Step;
    SmlNode* holder(SmlNode* parent) const { return parent ? parent : m_root; }
    SmlNode* parentOf(const SmlNode* node) const { return node->parent(); }
    void record(Step step);
    void makeRoomForStep();
    // The primitive changes, without recording; used by recording calls and
    // by undo and redo alike.
    SmlNode* doInsert(SmlNode* holderNode, int row, SmlNode* node);
    void doTake(SmlNode* node);
    void doMove(SmlNode* node, SmlNode* toHolder, int row);
    void doReorder(const std::vector<SmlNode*>& order);
    void doSetText(SmlNode* node, const char* text, int size);
    void doSetImage(SmlNode* node, int value);
    void undoSteps(std::vector<Step>& steps, size_t count);
    void redoSteps(std::vector<Step>& steps);

    std::shared_ptr<NodeArena> m_arena;
    SmlNode* m_root = nullptr; // hidden; its children are the messages
    qint64 m_nodeCount = 0;
    QUndoStack* m_undoStack = nullptr;
    std::vector<Step>* m_recording = nullptr;
};

} // namespace pravik
