#pragma once

#include <QPersistentModelIndex>
#include <QPoint>
#include <QTreeView>
#include <functional>
#include <vector>

class QMenu;

namespace pravik {

class SmlDocument;
class SmlNode;

// The main window's document tree (TreeView1). It shows the document model
// directly and reports the user's gestures to the main window; dragging a
// node is its own small protocol so that the view never moves rows itself:
// the editing commands decide whether and where a node may land.
class SmlTreeView : public QTreeView {
    Q_OBJECT
public:
    explicit SmlTreeView(QWidget* parent = nullptr);

    void setDocument(SmlDocument* doc);
    SmlDocument* document() const { return m_doc; }
    void setPopupMenu(QMenu* menu) { m_popup = menu; }

    // Whether the drag may end on target (nullptr: no node under the pointer).
    std::function<bool(SmlNode* dragged, SmlNode* target)> dragOverHandler;
    // copy: the user holds Ctrl, asking for a copy instead of a move.
    std::function<void(SmlNode* dragged, SmlNode* target, bool copy)> dragDropHandler;

    SmlNode* nodeAt(const QPoint& viewportPos) const;
    // True when pos lies on the icon or the label of a node, not on the
    // indentation, the expand button or the empty space right of the label.
    bool isOnNodeLabel(const QPoint& viewportPos) const;

    // Expands the node and everything below it.
    void expandSubtree(SmlNode* node);
    // Collapses the node and everything below it; linear in the subtree.
    void collapseSubtree(SmlNode* node);
    // Opens the collapsed ancestors of every node given, each ancestor once,
    // with one relayout at the end instead of one per node.
    void revealNodes(const std::vector<SmlNode*>& nodes);

    // The node being dragged, while a drag runs.
    SmlNode* draggedNode() const { return m_dragged; }
    // Starts a drag of node as if the user dragged it (blocks until dropped).
    // Ctrl at the drop copies the node instead of moving it.
    void startNodeDrag(SmlNode* node);

signals:
    // Enter in the tree or a double-click: edit the selected node.
    void editRequested();
    // Esc in the tree, after the selection has been cleared.
    void escapePressed();
    void focusEntered();
    void focusLeft();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;

private:
    bool acceptsDrop(const QPoint& viewportPos) const;

    SmlDocument* m_doc = nullptr;
    QMenu* m_popup = nullptr;
    SmlNode* m_dragged = nullptr;
    QPoint m_pressPos;
    QPersistentModelIndex m_pressIndex;
};

} // namespace pravik
