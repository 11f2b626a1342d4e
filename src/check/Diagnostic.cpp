#include "check/Diagnostic.h"

#include "document/NodeHeader.h"
#include "document/SmlNode.h"
#include "platform/AnsiText.h"

#include <QStringList>
#include <algorithm>

namespace pravik {

namespace {

// Levels a path shows below the message.
constexpr int kPathTail = 4;

} // namespace

QString Diagnostic::text() const {
    return message + QStringLiteral(" [") + QLatin1String(rule) + QLatin1Char(']');
}

QString DiagnosticKey(const Diagnostic& d) {
    if (!d.where.message)
        return QString();
    const NodeHeader h = NodeHeader::Read(d.where.message->Text(), NodeKind::Message);
    return AnsiText::Decode(h.head.toByteArray());
}

std::vector<const SmlNode*> DiagnosticPathNodes(const Diagnostic& d) {
    std::vector<const SmlNode*> nodes;
    if (!d.where.node || !d.where.message)
        return nodes;
    const SmlNode* n = d.where.node;
    for (int i = 0; i < kPathTail && n && n != d.where.message; ++i, n = n->parent())
        nodes.push_back(n);
    if (d.where.depth > kPathTail)
        nodes.push_back(nullptr);
    nodes.push_back(d.where.message);
    std::reverse(nodes.begin(), nodes.end());
    return nodes;
}

QString DiagnosticPath(const Diagnostic& d) {
    QStringList parts;
    for (const SmlNode* n : DiagnosticPathNodes(d))
        parts << (n ? AnsiText::Decode(n->Text()).trimmed() : QStringLiteral("…"));
    return parts.join(QStringLiteral(" > "));
}

int DiagnosticLine(const Diagnostic& d) {
    return d.where.node ? d.where.node->sourceLine() : 0;
}

} // namespace pravik
