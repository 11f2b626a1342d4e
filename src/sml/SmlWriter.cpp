#include "sml/SmlWriter.h"

#include "document/SmlDocument.h"
#include "platform/FileSystem.h"
#include "platform/PlatformError.h"

#include <vector>

namespace pravik {

namespace {
void AppendIndent(QByteArray& out, int level) {
    out.append(static_cast<qsizetype>(level) * 2, ' ');
}
} // namespace

void WriteNode(const SmlNode* root, int rootLevel, QByteArray& out) {
    // Each entry is a node still to open, or (closing) a list or message
    // whose children are done and whose ">" line is due.
    struct Step {
        const SmlNode* node;
        int level;
        bool closing;
    };
    std::vector<Step> stack{{root, rootLevel, false}};
    while (!stack.empty()) {
        const Step step = stack.back();
        stack.pop_back();
        const SmlNode* n = step.node;
        const NodeKind kind = n->Kind();
        if (step.closing) {
            AppendIndent(out, step.level);
            out.append(">\r\n");
            if (kind == NodeKind::Message)
                out.append("\r\n");
            continue;
        }
        AppendIndent(out, step.level);
        out.append('<');
        out.append(n->Text());
        if (kind == NodeKind::Item) {
            out.append(" >\r\n"); // an item's own children are not written
            continue;
        }
        out.append(kind == NodeKind::List ? " \r\n" : "\r\n");
        stack.push_back({n, step.level, true});
        for (int i = n->childCount() - 1; i >= 0; --i)
            stack.push_back({n->child(i), step.level + 1, false});
    }
}

QByteArray WriteDocument(const SmlDocument& doc) {
    QByteArray out;
    // A rough guess that avoids most reallocations on large documents.
    out.reserve(static_cast<qsizetype>(std::min<qint64>(doc.nodeCount() * 32, 1 << 30)));
    for (int i = 0; i < doc.topLevelCount(); ++i)
        WriteNode(doc.topLevel(i), 0, out);
    return out;
}

void SaveDocument(const QString& path, const SmlDocument& doc) {
    const QByteArray text = WriteDocument(doc);
    FileSystem::SafeSave(path, text, kCannotCreateFile);
}

} // namespace pravik
