#include "document/SmlDocument.h"

#include "platform/AnsiText.h"

#include <algorithm>

namespace pravik {

SmlDocument::SmlDocument(QObject* parent)
    : QAbstractItemModel(parent), m_root(std::make_unique<SmlNode>()) {
    m_root->m_isRoot = true;
}

SmlDocument::~SmlDocument() = default;

int SmlDocument::childCountOf(const SmlNode* parent) const {
    return parent ? parent->childCount() : m_root->childCount();
}

QModelIndex SmlDocument::indexOf(const SmlNode* node) const {
    if (!node || node == m_root.get())
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

void SmlDocument::resetTo(std::vector<std::unique_ptr<SmlNode>> topLevelNodes, qint64 nodeCount) {
    emit documentAboutToBeReset();
    beginResetModel();
    auto fresh = std::make_unique<SmlNode>();
    fresh->m_isRoot = true;
    fresh->m_children.reserve(topLevelNodes.size());
    for (auto& n : topLevelNodes)
        fresh->appendChildDetached(std::move(n));
    std::swap(m_root, fresh);
    m_nodeCount = nodeCount;
    endResetModel();
    // The old tree is freed after the views have let go of it.
    fresh.reset();
}

void SmlDocument::clear() {
    resetTo({}, 0);
}

SmlNode* SmlDocument::appendNode(SmlNode* parent, QByteArray text, int imageIndex) {
    SmlNode* h = holder(parent);
    const int row = h->childCount();
    beginInsertRows(indexOf(parent), row, row);
    SmlNode* node = h->appendChildDetached(std::make_unique<SmlNode>(std::move(text), imageIndex));
    ++m_nodeCount;
    endInsertRows();
    return node;
}

SmlNode* SmlDocument::insertSubtree(SmlNode* parent, int row, std::unique_ptr<SmlNode> subtree) {
    SmlNode* h = holder(parent);
    row = std::clamp(row, 0, h->childCount());
    const qint64 size = subtree->subtreeSize();
    beginInsertRows(indexOf(parent), row, row);
    subtree->m_parent = h;
    SmlNode* node = subtree.get();
    h->m_children.insert(h->m_children.begin() + row, std::move(subtree));
    h->renumberFrom(row);
    m_nodeCount += size;
    endInsertRows();
    return node;
}

std::unique_ptr<SmlNode> SmlDocument::takeNode(SmlNode* node) {
    emit nodesAboutToBeRemoved(node);
    SmlNode* h = node->m_parent;
    const int row = node->row();
    const qint64 size = node->subtreeSize();
    beginRemoveRows(indexOf(node->parent()), row, row);
    std::unique_ptr<SmlNode> taken = std::move(h->m_children[static_cast<size_t>(row)]);
    h->m_children.erase(h->m_children.begin() + row);
    h->renumberFrom(row);
    taken->m_parent = nullptr;
    m_nodeCount -= size;
    endRemoveRows();
    return taken;
}

void SmlDocument::removeNode(SmlNode* node) {
    takeNode(node).reset();
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
    if (!beginMoveRows(indexOf(node->parent()), srcRow, srcRow, indexOf(newParent), row))
        return false;
    std::unique_ptr<SmlNode> moving = std::move(from->m_children[static_cast<size_t>(srcRow)]);
    from->m_children.erase(from->m_children.begin() + srcRow);
    int dst = row;
    if (from == to && row > srcRow)
        --dst;
    moving->m_parent = to;
    to->m_children.insert(to->m_children.begin() + dst, std::move(moving));
    from->renumberFrom(from == to ? std::min(srcRow, dst) : srcRow);
    if (from != to)
        to->renumberFrom(dst);
    endMoveRows();
    return true;
}

void SmlDocument::reorderTopLevel(const std::vector<SmlNode*>& order) {
    if (static_cast<int>(order.size()) != topLevelCount())
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<std::unique_ptr<SmlNode>> sorted;
    sorted.reserve(order.size());
    for (SmlNode* n : order)
        sorted.push_back(std::move(m_root->m_children[static_cast<size_t>(n->row())]));
    m_root->m_children = std::move(sorted);
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

void SmlDocument::setText(SmlNode* node, QByteArray text) {
    node->m_text = std::move(text);
    const QModelIndex idx = indexOf(node);
    emit dataChanged(idx, idx, {Qt::DisplayRole, TextRole});
}

void SmlDocument::setImage(SmlNode* node, int value) {
    if (node->m_imageIndex == value)
        return;
    node->m_imageIndex = value;
    const QModelIndex idx = indexOf(node);
    emit dataChanged(idx, idx, {Qt::DecorationRole, ImageIndexRole});
}

void SmlDocument::setCut(SmlNode* node, bool cut) {
    if (node->m_cut == cut)
        return;
    node->m_cut = cut;
    const QModelIndex idx = indexOf(node);
    emit dataChanged(idx, idx, {Qt::ForegroundRole, CutRole});
}

void SmlDocument::beginBulkImageChange() {
    emit layoutAboutToBeChanged();
}

void SmlDocument::endBulkImageChange() {
    emit layoutChanged();
}

QModelIndex SmlDocument::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0)
        return {};
    const SmlNode* h = parent.isValid() ? nodeFromIndex(parent) : m_root.get();
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
    const SmlNode* h = parent.isValid() ? nodeFromIndex(parent) : m_root.get();
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
        return n->Text();
    case ImageIndexRole:
        return n->ImageIndex();
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
