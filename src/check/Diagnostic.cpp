#include "check/Diagnostic.h"

#include "document/NodeHeader.h"
#include "document/SmlNode.h"
#include "platform/AnsiText.h"

#include <QStringList>

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

QString DiagnosticPath(const Diagnostic& d) {
    if (!d.where.node || !d.where.message)
        return QString();
    QStringList tail;
    const SmlNode* n = d.where.node;
    for (int i = 0; i < kPathTail && n && n != d.where.message; ++i, n = n->parent())
        tail.prepend(AnsiText::Decode(n->Text()).trimmed());
    QStringList parts{AnsiText::Decode(d.where.message->Text()).trimmed()};
    if (d.where.depth > kPathTail)
        parts << QStringLiteral("…");
    parts << tail;
    return parts.join(QStringLiteral(" > "));
}

int DiagnosticLine(const Diagnostic& d) {
    return d.where.node ? d.where.node->sourceLine() : 0;
}

} // namespace pravik
