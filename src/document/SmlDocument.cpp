#include "document/SmlDocument.h"

#include "document/DocumentEdit.h"
#include "document/DocumentEditor.h"
#include "platform/AnsiText.h"

#include <QUndoStack>
#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace pravik {

SmlDocument::SmlDocument(QObject* parent)
    : QAbstractItemModel(parent), m_arena(std::make_shared<NodeArena>()),
      m_root(m_arena->newRoot()), m_undoStack(new QUndoStack(this)) {
    connect(m_undoStack, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
}

SmlDocument::~SmlDocument() {
    // Steps hold subtrees of this arena; they go first.
    m_undoStack->clear();
}

int SmlDocument::childCountOf(const SmlNode* parent) const {
    return parent ? parent->childCount() : m_root->childCount();
}

QModelIndex SmlDocument::indexOf(const SmlNode* node) const {
    if (!node || node == m_root)
        return {};
    return createIndex(node->row(), 0, const_cast<SmlNode*>(node));
}

SmlNode* SmlDocument::nodeFromIndex(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this)
        return nullptr;
    return static_cast<SmlNode*>(index.internalPointer());
}

qint64 SmlDocument::absoluteIndexOf(const SmlNode* node) const {
    qint64 i = 0;
    for (const SmlNode* n = firstNode(); n; n = n->nextPreOrder(), ++i)
        if (n == node)
            return i;
    return -1;
}

SmlNode* SmlDocument::nodeAtAbsoluteIndex(qint64 index) const {
    SmlNode* n = firstNode();
    for (qint64 i = 0; n && i < index; ++i)
        n = n->nextPreOrder();
    return index < 0 ? nullptr : n;
}

// --- edits and their undo -------------------------------------------------------

bool SmlDocument::perform(const QString& name, const std::function<void(DocumentEditor&)>& edit) {
    if (m_recording) {
        edit(*m_editor); // part of the step already being recorded
        return true;
    }
    std::vector<Step> steps;
    DocumentEditor editor(*this);
    m_recording = &steps;
    m_editor = &editor;
    try {
        edit(editor);
    } catch (...) {
        m_recording = nullptr;
        m_editor = nullptr;
        undoSteps(steps, steps.size());
        throw;
    }
    m_recording = nullptr;
    m_editor = nullptr;
    if (steps.empty())
        return false;
    m_undoStack->push(new DocumentEdit(*this, name, std::move(steps)));
    return true;
}

DocumentEdit* SmlDocument::lastEdit() const {
    const int index = m_undoStack->index();
    if (index <= 0)
        return nullptr;
    return static_cast<DocumentEdit*>(const_cast<QUndoCommand*>(m_undoStack->command(index - 1)));
}

bool SmlDocument::isModified() const {
    return !m_undoStack->isClean();
}

void SmlDocument::setSaved() {
    m_undoStack->setClean();
}

void SmlDocument::makeRoomForStep() {
    // Geometric growth: an edit may record many thousand steps.
    if (m_recording && m_recording->size() == m_recording->capacity())
        m_recording->reserve(std::max<size_t>(16, m_recording->capacity() * 2));
}

void SmlDocument::record(Step step) {
    m_recording->push_back(std::move(step));
}

void SmlDocument::undoSteps(std::vector<Step>& steps, size_t count) {
    for (size_t i = count; i-- > 0;) {
        Step& s = steps[i];
        switch (s.kind) {
        case Step::Kind::Insert:
            doTake(s.node);
            s.held = DetachedSubtree(m_arena, s.node);
            break;
        case Step::Kind::Take:
            s.held.release();
            doInsert(s.fromHolder, s.fromRow, s.node);
            s.held = {};
            break;
        case Step::Kind::Move:
            doMove(s.node, s.fromHolder, s.fromRow);
            break;
        case Step::Kind::Reorder:
            doReorder(s.oldOrder);
            break;
        case Step::Kind::SetText:
            doSetText(s.node, s.oldText, s.oldSize);
            setCheckMark(s.node, false);
            break;
        case Step::Kind::SetKind:
            doSetKind(s.node, s.oldKind);
            setCheckMark(s.node, false);
            break;
        }
    }
}

void SmlDocument::redoSteps(std::vector<Step>& steps) {
    for (Step& s : steps) {
        switch (s.kind) {
        case Step::Kind::Insert:
            s.held.release();
            doInsert(s.toHolder, s.toRow, s.node);
            s.held = {};
            break;
        case Step::Kind::Take:
            doTake(s.node);
            s.held = DetachedSubtree(m_arena, s.node);
            break;
        case Step::Kind::Move:
            doMove(s.node, s.toHolder, s.toRow);
            break;
        case Step::Kind::Reorder:
            doReorder(s.newOrder);
            break;
        case Step::Kind::SetText:
            doSetText(s.node, s.newText, s.newSize);
            setCheckMark(s.node, false);
            break;
        case Step::Kind::SetKind:
            doSetKind(s.node, s.newKind);
            setCheckMark(s.node, false);
            break;
        }
    }
}

// --- building and replacing ------------------------------------------------------

void SmlDocument::resetTo(DetachedSubtree root, qint64 nodeCount) {
    if (m_recording)
        throw std::logic_error("a document cannot be replaced inside an edit");
    emit documentAboutToBeReset();
    const bool wasModified = isModified();
    // The steps refer to the old tree; they go before it does.
    m_undoStack->clear();
    beginResetModel();
    std::shared_ptr<NodeArena> oldArena = std::move(m_arena);
    m_arena = root.arena();
    m_root = root.release();
    m_nodeCount = nodeCount;
    m_marks.clear();
    endResetModel();
    // The old tree is freed at once, after the views have let go of it.
    oldArena.reset();
    if (wasModified)
        emit modifiedChanged(false);
}

void SmlDocument::clear() {
    resetTo(DetachedSubtree::createRoot(), 0);
}

DetachedSubtree SmlDocument::newDetached(QByteArrayView text, NodeKind kind) {
    return DetachedSubtree(m_arena, m_arena->newNode(text, kind));
}

DetachedSubtree SmlDocument::cloneSubtree(const SmlNode* node) {
    return DetachedSubtree(m_arena, m_arena->cloneSubtree(*node, true));
}

// --- structural changes -----------------------------------------------------------

SmlNode* SmlDocument::doInsert(SmlNode* h, int row, SmlNode* node) {
    // Room first: once the views are told, nothing may fail.
    m_arena->reserveChild(h);
    const qint64 size = node->subtreeSize();
    beginInsertRows(indexOf(h == m_root ? nullptr : h), row, row);
    m_arena->insertChild(h, row, node);
    m_nodeCount += size;
    endInsertRows();
    return node;
}

void SmlDocument::doTake(SmlNode* node) {
    emit nodesAboutToBeRemoved(node);
    dropCheckMarks(node);
    SmlNode* h = node->m_parent;
    const int row = node->row();
    const qint64 size = node->subtreeSize();
    beginRemoveRows(indexOf(node->parent()), row, row);
    std::memmove(h->m_children + row, h->m_children + row + 1,
                 sizeof(SmlNode*) * static_cast<size_t>(h->m_childCount - row - 1));
    --h->m_childCount;
    h->renumberFrom(row);
    node->m_parent = nullptr;
    node->m_row = 0;
    m_nodeCount -= size;
    endRemoveRows();
}

void SmlDocument::doMove(SmlNode* node, SmlNode* to, int finalRow) {
    SmlNode* from = node->m_parent;
    const int srcRow = node->row();
    // The destination as the views count it: before the node has left.
    const int dest = from == to && finalRow > srcRow ? finalRow + 1 : finalRow;
    if (from != to)
        m_arena->reserveChild(to);
    if (!beginMoveRows(indexOf(node->parent()), srcRow, srcRow,
                       indexOf(to == m_root ? nullptr : to), dest))
        return;
    SmlNode** fc = from->m_children;
    std::memmove(fc + srcRow, fc + srcRow + 1,
                 sizeof(SmlNode*) * static_cast<size_t>(from->m_childCount - srcRow - 1));
    --from->m_childCount;
    SmlNode** tc = to->m_children;
    std::memmove(tc + finalRow + 1, tc + finalRow,
                 sizeof(SmlNode*) * static_cast<size_t>(to->m_childCount - finalRow));
    tc[finalRow] = node;
    ++to->m_childCount;
    node->m_parent = to;
    from->renumberFrom(from == to ? std::min(srcRow, finalRow) : srcRow);
    if (from != to)
        to->renumberFrom(finalRow);
    endMoveRows();
}

void SmlDocument::doReorder(const std::vector<SmlNode*>& order) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::copy(order.begin(), order.end(), m_root->m_children);
    m_root->renumberFrom(0);
    // Only top-level rows changed; indexes below keep their row and pointer.
    const QModelIndexList persistent = persistentIndexList();
    QModelIndexList to;
    to.reserve(persistent.size());
    for (const QModelIndex& idx : persistent) {
        SmlNode* n = nodeFromIndex(idx);
        to.append(n ? createIndex(n->row(), idx.column(), n) : QModelIndex());
    }
    changePersistentIndexList(persistent, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void SmlDocument::doSetText(SmlNode* node, const char* text, int size) {
    node->m_text = text;
    node->m_textSize = size;
    const QModelIndex idx = indexOf(node);
    emit dataChanged(idx, idx, {Qt::DisplayRole, TextRole});
}

void SmlDocument::doSetKind(SmlNode* node, NodeKind kind) {
    node->m_kind = kind;
    const QModelIndex idx = indexOf(node);
    emit dataChanged(idx, idx, {Qt::DecorationRole, ImageIndexRole});
}

SmlNode* SmlDocument::insertSubtree(SmlNode* parent, int row, DetachedSubtree subtree) {
    if (subtree.arena() != m_arena) {
        // From another document (an import): copied into this one's memory.
        subtree = DetachedSubtree(m_arena, m_arena->cloneSubtree(*subtree.get(), false));
    }
    SmlNode* h = holder(parent);
    row = std::clamp(row, 0, h->childCount());
    makeRoomForStep(); // recording cannot fail once the change is made
    SmlNode* node = doInsert(h, row, subtree.get());
    subtree.release();
    Step s;
    s.kind = Step::Kind::Insert;
    s.node = node;
    s.toHolder = h;
    s.toRow = row;
    record(std::move(s));
    return node;
}

void SmlDocument::removeNode(SmlNode* node) {
    makeRoomForStep();
    Step s;
    s.kind = Step::Kind::Take;
    s.node = node;
    s.fromHolder = node->m_parent;
    s.fromRow = node->row();
    doTake(node);
    s.held = DetachedSubtree(m_arena, node);
    record(std::move(s));
}

bool SmlDocument::moveNode(SmlNode* node, SmlNode* newParent, int row) {
    if (!node || (newParent && node->isAncestorOf(newParent)))
        return false;
    SmlNode* from = node->m_parent;
    SmlNode* to = holder(newParent);
    const int srcRow = node->row();
    row = std::clamp(row, 0, to->childCount());
    if (from == to && (row == srcRow || row == srcRow + 1))
        return true; // already there
    const int finalRow = from == to && row > srcRow ? row - 1 : row;
    makeRoomForStep();
    doMove(node, to, finalRow);
    Step s;
    s.kind = Step::Kind::Move;
    s.node = node;
    s.fromHolder = from;
    s.fromRow = srcRow;
    s.toHolder = to;
    s.toRow = finalRow;
    record(std::move(s));
    return true;
}

void SmlDocument::reorderTopLevel(const std::vector<SmlNode*>& order) {
    if (static_cast<int>(order.size()) != topLevelCount())
        return;
    if (std::equal(order.begin(), order.end(), m_root->m_children))
        return;
    Step s;
    s.kind = Step::Kind::Reorder;
    s.oldOrder.assign(m_root->m_children, m_root->m_children + m_root->m_childCount);
    s.newOrder = order;
    makeRoomForStep();
    doReorder(order);
    record(std::move(s));
}

// --- node content -------------------------------------------------------------------

void SmlDocument::setText(SmlNode* node, QByteArrayView text) {
    if (node->TextView() == text)
        return;
    const char* oldText = node->m_text;
    const int oldSize = node->m_textSize;
    makeRoomForStep();
    m_arena->setText(node, text);
    doSetText(node, node->m_text, node->m_textSize);
    Step s;
    s.kind = Step::Kind::SetText;
    s.node = node;
    s.oldText = oldText;
    s.oldSize = oldSize;
    s.newText = node->m_text;
    s.newSize = node->m_textSize;
    record(std::move(s));
}

void SmlDocument::setKind(SmlNode* node, NodeKind kind) {
    if (node->m_kind == kind)
        return;
    const NodeKind old = node->m_kind;
    makeRoomForStep();
    doSetKind(node, kind);
    Step s;
    s.kind = Step::Kind::SetKind;
    s.node = node;
    s.oldKind = old;
    s.newKind = kind;
    record(std::move(s));
}

void SmlDocument::setCut(SmlNode* node, bool cut) {
    if (node->m_cut == cut)
        return;
    node->m_cut = cut;
    const QModelIndex idx = indexOf(node);
    emit dataChanged(idx, idx, {Qt::ForegroundRole, CutRole});
}

void SmlDocument::setCheckMarks(const std::vector<SmlNode*>& faulty) {
    if (m_marks.empty() && faulty.empty())
        return;
    // One layout notification instead of one per node, which a large tree
    // view cannot afford.
    emit layoutAboutToBeChanged();
    m_marks.clear();
    m_marks.insert(faulty.begin(), faulty.end());
    emit layoutChanged();
}

void SmlDocument::setCheckMark(SmlNode* node, bool marked) {
    const bool changed = marked ? m_marks.insert(node).second : m_marks.erase(node) != 0;
    if (!changed)
        return;
    const QModelIndex idx = indexOf(node);
    emit dataChanged(idx, idx, {Qt::DecorationRole, ImageIndexRole});
}

void SmlDocument::copyCheckMarks(const SmlNode* source, SmlNode* copy) {
    if (m_marks.empty())
        return;
    // Both subtrees have the same shape: walk them side by side.
    const SmlNode* s = source;
    SmlNode* c = copy;
    while (s) {
        if (isCheckMarked(s))
            setCheckMark(c, true);
        if (s->childCount()) {
            s = s->child(0);
            c = c->child(0);
            continue;
        }
        while (s && s != source && s->row() + 1 >= s->parent()->childCount()) {
            s = s->parent();
            c = c->parent();
        }
        if (!s || s == source)
            break;
        s = s->parent()->child(s->row() + 1);
        c = c->parent()->child(c->row() + 1);
    }
}

void SmlDocument::dropCheckMarks(const SmlNode* subtreeRoot) {
    if (m_marks.empty())
        return;
    const SmlNode* end = subtreeRoot->nextSkippingChildren();
    for (const SmlNode* n = subtreeRoot; n && n != end; n = n->nextPreOrder())
        m_marks.erase(n);
}

// --- QAbstractItemModel ----------------------------------------------------------------

QModelIndex SmlDocument::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0)
        return {};
    const SmlNode* h = parent.isValid() ? nodeFromIndex(parent) : m_root;
    if (!h || row >= h->childCount())
        return {};
    return createIndex(row, 0, h->child(row));
}

QModelIndex SmlDocument::parent(const QModelIndex& child) const {
    const SmlNode* n = nodeFromIndex(child);
    if (!n)
        return {};
    return indexOf(n->parent());
}

int SmlDocument::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0)
        return 0;
    const SmlNode* h = parent.isValid() ? nodeFromIndex(parent) : m_root;
    return h ? h->childCount() : 0;
}

int SmlDocument::columnCount(const QModelIndex&) const {
    return 1;
}

bool SmlDocument::hasChildren(const QModelIndex& parent) const {
    return rowCount(parent) > 0;
}

QVariant SmlDocument::data(const QModelIndex& index, int role) const {
    const SmlNode* n = nodeFromIndex(index);
    if (!n)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return AnsiText::Decode(n->Text());
    case TextRole:
        return n->TextView().toByteArray(); // a copy: the variant may outlive the node
    case ImageIndexRole:
        return imageIndexOf(n);
    case CutRole:
        return n->IsCut();
    default:
        return {};
    }
}

Qt::ItemFlags SmlDocument::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

} // namespace pravik
