#pragma once

#include "document/NodeArena.h"
#include "document/SmlNode.h"

#include <QAbstractItemModel>
#include <functional>
#include <memory>
#include <unordered_set>
#include <vector>

class QUndoStack;

namespace pravik {

class DocumentEdit;
class DocumentEditor;

// The one copy of the document: the tree of SmlNodes, shown directly by the
// main window's tree view. Every structural change goes through here and is
// announced with the matching model notifications. The document also keeps
// the undo stack of the user's edits: the tree changes only inside
// perform(), through the DocumentEditor it hands out, which records what
// the edit changed as one undoable step. No widgets here: icons and the
// greyed cut look are the GUI's business (see the roles below).
class SmlDocument : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Roles {
        TextRole = Qt::UserRole + 1, // QByteArray, the node text as stored
        ImageIndexRole,              // int: the kind, + 3 when the check marked the node
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
    // the editor it is given is recorded and pushed on the undo stack.
    // Returns false, pushing nothing, when edit changed nothing. When edit
    // throws, everything it changed is taken back first, so the document is
    // as it was, and the exception travels on. Inside an edit, perform()
    // adds to the step already being recorded.
    bool perform(const QString& name, const std::function<void(DocumentEditor&)>& edit);
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
    DetachedSubtree newDetached(QByteArrayView text, NodeKind kind);
    DetachedSubtree cloneSubtree(const SmlNode* node);
    // The memory of this document's nodes.
    NodeArena& arena() { return *m_arena; }

    // --- display state: never an edit, never recorded ------------------------
    // The cut mark of the node waiting in the clipboard.
    void setCut(SmlNode* node, bool cut);

    // The structure check's verdict: the nodes it found faulty, drawn with
    // their kind's error image. Only the check sets marks (replacing all of
    // them at once); a node loses its mark when an edit stores it again, when
    // an undo or redo changes it, and when it leaves the tree, so an undo
    // never brings back a mark the tree no longer deserves.
    void setCheckMarks(const std::vector<SmlNode*>& faulty);
    bool isCheckMarked(const SmlNode* node) const { return m_marks.count(node) != 0; }
    bool hasCheckMarks() const { return !m_marks.empty(); }
    // What the tree shows: the kind's image, the error image when marked.
    int imageIndexOf(const SmlNode* node) const {
        return ImageIndexFor(node->Kind(), isCheckMarked(node));
    }
    // Sets or clears one node's mark (a copy keeps its source's marks).
    void setCheckMark(SmlNode* node, bool marked);
    // Gives copy, a copy of source, the marks of source's subtree.
    void copyCheckMarks(const SmlNode* source, SmlNode* copy);

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
    friend class DocumentEditor;
    struct Step;
    SmlNode* holder(SmlNode* parent) const { return parent ? parent : m_root; }

    // The tree-changing calls, each recorded in the step being made; only
    // the DocumentEditor of a running perform() reaches them.
    SmlNode* insertSubtree(SmlNode* parent, int row, DetachedSubtree subtree);
    void removeNode(SmlNode* node);
    bool moveNode(SmlNode* node, SmlNode* newParent, int row);
    void reorderTopLevel(const std::vector<SmlNode*>& order);
    void setText(SmlNode* node, QByteArrayView text);
    void setKind(SmlNode* node, NodeKind kind);

    void record(Step step);
    void makeRoomForStep();
    // The primitive changes, without recording; used by recording calls and
    // by undo and redo alike.
    SmlNode* doInsert(SmlNode* holderNode, int row, SmlNode* node);
    void doTake(SmlNode* node);
    void doMove(SmlNode* node, SmlNode* toHolder, int row);
    void doReorder(const std::vector<SmlNode*>& order);
    void doSetText(SmlNode* node, const char* text, int size);
    void doSetKind(SmlNode* node, NodeKind kind);
    void undoSteps(std::vector<Step>& steps, size_t count);
    void redoSteps(std::vector<Step>& steps);
    // The marks of a subtree leaving the tree go with it.
    void dropCheckMarks(const SmlNode* subtreeRoot);

    std::shared_ptr<NodeArena> m_arena;
    SmlNode* m_root = nullptr; // hidden; its children are the messages
    qint64 m_nodeCount = 0;
    QUndoStack* m_undoStack = nullptr;
    std::vector<Step>* m_recording = nullptr;
    DocumentEditor* m_editor = nullptr; // while an edit runs
    std::unordered_set<const SmlNode*> m_marks;
};

} // namespace pravik
