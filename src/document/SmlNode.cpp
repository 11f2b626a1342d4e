#include "document/SmlNode.h"

namespace pravik {

SmlNode::SmlNode(QByteArray text, int imageIndex)
    : m_text(std::move(text)), m_imageIndex(imageIndex) {}

SmlNode::~SmlNode() {
    // Tear the subtree down without recursion: a file may nest a million deep.
    std::vector<std::unique_ptr<SmlNode>> pending = std::move(m_children);
    while (!pending.empty()) {
        std::unique_ptr<SmlNode> node = std::move(pending.back());
        pending.pop_back();
        for (auto& c : node->m_children)
            pending.push_back(std::move(c));
        node->m_children.clear();
    }
}

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

SmlNode* SmlNode::nextSkippingChildren() const {
    const SmlNode* node = this;
    while (node->m_parent) {
        const SmlNode* p = node->m_parent;
        if (node->m_row + 1 < p->childCount())
            return p->child(node->m_row + 1);
        node = p;
    }
    return nullptr;
}

SmlNode* SmlNode::nextPreOrder() const {
    if (!m_children.empty())
        return m_children.front().get();
    return nextSkippingChildren();
}

qint64 SmlNode::subtreeSize() const {
    qint64 count = 0;
    std::vector<const SmlNode*> stack{this};
    while (!stack.empty()) {
        const SmlNode* n = stack.back();
        stack.pop_back();
        ++count;
        for (const auto& c : n->m_children)
            stack.push_back(c.get());
    }
    return count;
}

std::unique_ptr<SmlNode> SmlNode::clone() const {
    auto root = std::make_unique<SmlNode>(m_text, m_imageIndex);
    // Pairs of (original, copy) whose children still have to be copied.
    std::vector<std::pair<const SmlNode*, SmlNode*>> stack{{this, root.get()}};
    while (!stack.empty()) {
        auto [orig, copy] = stack.back();
        stack.pop_back();
        copy->m_children.reserve(orig->m_children.size());
        for (const auto& c : orig->m_children) {
            SmlNode* cc =
                copy->appendChildDetached(std::make_unique<SmlNode>(c->m_text, c->m_imageIndex));
            if (!c->m_children.empty())
                stack.emplace_back(c.get(), cc);
        }
    }
    return root;
}

bool SmlNode::isAncestorOf(const SmlNode* node) const {
    for (; node; node = node->m_parent)
        if (node == this)
            return true;
    return false;
}

SmlNode* SmlNode::appendChildDetached(std::unique_ptr<SmlNode> child) {
    child->m_parent = this;
    child->m_row = childCount();
    m_children.push_back(std::move(child));
    return m_children.back().get();
}

void SmlNode::renumberFrom(int first) {
    for (int i = first; i < childCount(); ++i)
        m_children[static_cast<size_t>(i)]->m_row = i;
}

} // namespace pravik
