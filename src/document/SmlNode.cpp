#include "document/SmlNode.h"

#include <vector>

namespace pravik {

SmlNode* SmlNode::parent() const {
    if (m_parent == nullptr || m_parent->isRoot())
        return nullptr;
    return m_parent;
}

int SmlNode::level() const {
    int level = 0;
    for (const SmlNode* p = parent(); p; p = p->parent())
        ++level;
    return level;
}

const SmlNode* SmlNode::message() const {
    const SmlNode* node = this;
    while (const SmlNode* p = node->parent())
        node = p;
    return node;
}

SmlNode* SmlNode::nextSkippingChildren() const {
    const SmlNode* node = this;
    while (node->m_parent) {
        const SmlNode* p = node->m_parent;
        if (node->m_row + 1 < p->m_childCount)
            return p->m_children[node->m_row + 1];
        node = p;
    }
    return nullptr;
}

SmlNode* SmlNode::nextPreOrder() const {
    if (m_childCount > 0)
        return m_children[0];
    return nextSkippingChildren();
}

qint64 SmlNode::subtreeSize() const {
    qint64 count = 1;
    // Pre-order walk bounded by this node; no stack needed.
    for (const SmlNode* n = m_childCount ? m_children[0] : nullptr; n;) {
        ++count;
        if (n->m_childCount) {
            n = n->m_children[0];
            continue;
        }
        while (n != this && n->m_row + 1 >= n->m_parent->m_childCount)
            n = n->m_parent;
        n = n == this ? nullptr : n->m_parent->m_children[n->m_row + 1];
    }
    return count;
}

bool SmlNode::isAncestorOf(const SmlNode* node) const {
    for (; node; node = node->m_parent)
        if (node == this)
            return true;
    return false;
}

void SmlNode::renumberFrom(int first) {
    for (int i = first; i < m_childCount; ++i)
        m_children[i]->m_row = i;
}

} // namespace pravik
