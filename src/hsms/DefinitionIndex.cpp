#include "hsms/DefinitionIndex.h"

#include "document/NodeHeader.h"
#include "document/SmlDocument.h"

namespace pravik {

DefinitionIndex::DefinitionIndex(const SmlDocument* document, QObject* parent)
    : QObject(parent), m_document(document) {
    if (!document)
        return;
    // Any change of the tree may move, rename or remove a message.
    const auto dirty = [this] { invalidate(); };
    connect(document, &QAbstractItemModel::dataChanged, this, dirty);
    connect(document, &QAbstractItemModel::rowsInserted, this, dirty);
    connect(document, &QAbstractItemModel::rowsRemoved, this, dirty);
    connect(document, &QAbstractItemModel::rowsMoved, this, dirty);
    connect(document, &QAbstractItemModel::layoutChanged, this, dirty);
    connect(document, &QAbstractItemModel::modelReset, this, dirty);
    connect(document, &SmlDocument::documentAboutToBeReset, this, dirty);
}

void DefinitionIndex::rebuild() {
    m_rows.clear();
    m_streams.clear();
    m_dirty = false;
    if (!m_document)
        return;
    for (int row = 0; row < m_document->topLevelCount(); ++row) {
        const SmlNode* n = m_document->topLevel(row);
        if (n->Kind() != NodeKind::Message)
            continue;
        const NodeHeader h = NodeHeader::Read(*n);
        if (!h.messageForm)
            continue;
        if (!m_rows.contains(h.key))
            m_rows.insert(h.key, row);
        m_streams.insert(static_cast<int>(h.stream()));
    }
}

const SmlNode* DefinitionIndex::find(int stream, int function) {
    if (m_dirty)
        rebuild();
    const auto it = m_rows.constFind(qint64(stream) * 1000 + function);
    if (it == m_rows.constEnd() || !m_document || *it >= m_document->topLevelCount())
        return nullptr;
    return m_document->topLevel(*it);
}

ConformanceCache& DefinitionIndex::cache() {
    if (m_cacheRevision != m_revision) {
        m_cache.clear();
        m_cacheRevision = m_revision;
    }
    return m_cache;
}

bool DefinitionIndex::hasStream(int stream) {
    if (m_dirty)
        rebuild();
    return m_streams.contains(stream);
}

} // namespace pravik
