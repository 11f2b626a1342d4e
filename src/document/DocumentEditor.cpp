#include "document/DocumentEditor.h"

#include "document/SmlDocument.h"

namespace pravik {

SmlNode* DocumentEditor::appendNode(SmlNode* parent, QByteArrayView text, NodeKind kind) {
    return m_doc.insertSubtree(parent, m_doc.childCountOf(parent), m_doc.newDetached(text, kind));
}

SmlNode* DocumentEditor::insertSubtree(SmlNode* parent, int row, DetachedSubtree subtree) {
    return m_doc.insertSubtree(parent, row, std::move(subtree));
}

void DocumentEditor::removeNode(SmlNode* node) {
    m_doc.removeNode(node);
}

bool DocumentEditor::moveNode(SmlNode* node, SmlNode* newParent, int row) {
    return m_doc.moveNode(node, newParent, row);
}

void DocumentEditor::reorderTopLevel(const std::vector<SmlNode*>& order) {
    m_doc.reorderTopLevel(order);
}

void DocumentEditor::setText(SmlNode* node, QByteArrayView text) {
    m_doc.setText(node, text);
}

void DocumentEditor::setKind(SmlNode* node, NodeKind kind) {
    m_doc.setKind(node, kind);
}

} // namespace pravik
