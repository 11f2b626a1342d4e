#include "app/SmlTreeView.h"

#include "document/SmlDocument.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <unordered_set>

namespace pravik {

namespace {
const QString kNodeMime = QStringLiteral("application/x-pravik-node");
}

SmlTreeView::SmlTreeView(QWidget* parent) : QTreeView(parent) {
    setObjectName(QStringLiteral("TreeView1"));
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setIndentation(25);
    setIconSize(QSize(16, 16));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAnimated(false);
    setMouseTracking(true); // hot tracking
    viewport()->setAttribute(Qt::WA_Hover, true);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setAutoScroll(true);
}

void SmlTreeView::setDocument(SmlDocument* doc) {
    m_doc = doc;
    setModel(doc);
}

SmlNode* SmlTreeView::nodeAt(const QPoint& viewportPos) const {
    return m_doc ? m_doc->nodeFromIndex(indexAt(viewportPos)) : nullptr;
}

bool SmlTreeView::isOnNodeLabel(const QPoint& pos) const {
    const QModelIndex idx = indexAt(pos);
    if (!idx.isValid())
        return false;
    const QRect rect = visualRect(idx);
    QStyleOptionViewItem opt;
    initViewItemOption(&opt);
    opt.rect = rect;
    const int width = itemDelegateForIndex(idx)->sizeHint(opt, idx).width();
    return rect.contains(pos) && pos.x() < rect.left() + width;
}

void SmlTreeView::expandSubtree(SmlNode* node) {
    if (node && m_doc)
        expandRecursively(m_doc->indexOf(node));
}

void SmlTreeView::collapseSubtree(SmlNode* node) {
    if (!node || !m_doc)
        return;
    // With a relayout pending, collapse() only forgets the expanded mark;
    // otherwise every call would lay out the rows again.
    scheduleDelayedItemsLayout();
    const SmlNode* end = node->nextSkippingChildren();
    for (SmlNode* n = node; n && n != end; n = n->nextPreOrder()) {
        if (n->childCount() == 0)
            continue;
        const QModelIndex idx = m_doc->indexOf(n);
        if (isExpanded(idx))
            collapse(idx);
    }
}

void SmlTreeView::revealNodes(const std::vector<SmlNode*>& nodes) {
    if (!m_doc || nodes.empty())
        return;
    std::unordered_set<const SmlNode*> opened;
    bool relayoutPending = false;
    for (const SmlNode* node : nodes) {
        // Stop at the first ancestor already handled: everything above it
        // was handled with it, which keeps the walk linear overall.
        for (SmlNode* p = node->parent(); p && opened.insert(p).second; p = p->parent()) {
            const QModelIndex idx = m_doc->indexOf(p);
            if (isExpanded(idx))
                continue;
            if (!relayoutPending) {
                // With a relayout pending, expand() only records the mark
                // instead of laying out the rows once per call.
                scheduleDelayedItemsLayout();
                relayoutPending = true;
            }
            expand(idx);
        }
    }
}

void SmlTreeView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit editRequested();
    } else if (event->key() == Qt::Key_Escape) {
        if (selectionModel())
            selectionModel()->clear();
        emit escapePressed();
    }
    QTreeView::keyPressEvent(event);
}

void SmlTreeView::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        // The right button selects the node under the pointer, or nothing,
        // before the context menu opens.
        setFocus(Qt::MouseFocusReason);
        if (isOnNodeLabel(pos)) {
            const QModelIndex idx = indexAt(pos);
            selectionModel()->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect);
        } else if (selectionModel()) {
            selectionModel()->clear();
        }
        return;
    }
    if (event->button() == Qt::LeftButton && !indexAt(pos).isValid()) {
        // Empty space below the last node keeps the selection.
        setFocus(Qt::MouseFocusReason);
        m_pressIndex = QPersistentModelIndex();
        return;
    }
    QTreeView::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        m_pressPos = pos;
        m_pressIndex = indexAt(pos);
    }
}

void SmlTreeView::mouseMoveEvent(QMouseEvent* event) {
    if ((event->buttons() & Qt::LeftButton) && m_pressIndex.isValid()) {
        const QPoint pos = event->position().toPoint();
        if ((pos - m_pressPos).manhattanLength() >= QApplication::startDragDistance()) {
            SmlNode* node = m_doc ? m_doc->nodeFromIndex(m_pressIndex) : nullptr;
            m_pressIndex = QPersistentModelIndex();
            if (node)
                startNodeDrag(node);
        }
        return;
    }
    QTreeView::mouseMoveEvent(event);
}

void SmlTreeView::mouseReleaseEvent(QMouseEvent* event) {
    m_pressIndex = QPersistentModelIndex();
    QTreeView::mouseReleaseEvent(event);
}

void SmlTreeView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit editRequested();
}

void SmlTreeView::contextMenuEvent(QContextMenuEvent* event) {
    if (m_popup)
        m_popup->exec(event->globalPos());
}

void SmlTreeView::focusInEvent(QFocusEvent* event) {
    QTreeView::focusInEvent(event);
    // A popup (the context menu, a menu of the menu bar) hands the focus
    // back without the tree having really lost it.
    if (event->reason() != Qt::PopupFocusReason)
        emit focusEntered();
}

void SmlTreeView::focusOutEvent(QFocusEvent* event) {
    QTreeView::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::MenuBarFocusReason)
        emit focusLeft();
}

void SmlTreeView::startNodeDrag(SmlNode* node) {
    auto* drag = new QDrag(this);
    auto* mime = new QMimeData;
    mime->setData(kNodeMime, QByteArray());
    drag->setMimeData(mime);
    m_dragged = node;
    drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
    m_dragged = nullptr;
}

bool SmlTreeView::acceptsDrop(const QPoint& pos) const {
    return m_dragged && dragOverHandler && dragOverHandler(m_dragged, nodeAt(pos));
}

void SmlTreeView::dragEnterEvent(QDragEnterEvent* event) {
    if (event->source() == this && m_dragged && event->mimeData()->hasFormat(kNodeMime)) {
        setState(DraggingState);
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void SmlTreeView::dragMoveEvent(QDragMoveEvent* event) {
    // The base class scrolls near the edges; it never accepts our data.
    QTreeView::dragMoveEvent(event);
    if (event->source() == this && acceptsDrop(event->position().toPoint()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void SmlTreeView::dropEvent(QDropEvent* event) {
    stopAutoScroll();
    setState(NoState);
    const QPoint pos = event->position().toPoint();
    if (event->source() == this && acceptsDrop(pos)) {
        // The drop is ours: tell the drag it was handled, but nothing is
        // removed at its source; the drop handler moves or copies the node.
        const bool copy = event->modifiers().testFlag(Qt::ControlModifier) ||
                          event->proposedAction() == Qt::CopyAction;
        event->setDropAction(Qt::IgnoreAction);
        event->accept();
        if (dragDropHandler)
            dragDropHandler(m_dragged, nodeAt(pos), copy);
    } else {
        event->ignore();
    }
    viewport()->update();
}

void SmlTreeView::dragLeaveEvent(QDragLeaveEvent* event) {
    stopAutoScroll();
    setState(NoState);
    event->accept();
    viewport()->update();
}

} // namespace pravik
