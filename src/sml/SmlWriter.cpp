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

bool WriteNode(const SmlNode* root, int rootLevel, QByteArray& out, qint64 maxBytes) {
    // Each entry is a node still to open, or (closing) a list or message
    // whose children are done and whose ">" line is due.
    struct Step {
        const SmlNode* node;
        int level;
        bool closing;
    };
    std::vector<Step> stack{{root, rootLevel, false}};
    qsizetype lineStart = out.size();
    while (!stack.empty()) {
        if (maxBytes >= 0 && out.size() > maxBytes) {
            out.truncate(lineStart);
            return false;
        }
        lineStart = out.size();
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
    if (maxBytes >= 0 && out.size() > maxBytes) {
        out.truncate(lineStart);
        return false;
    }
    return true;
}

QByteArray WriteDocument(const SmlDocument& doc, qint64 maxBytes, bool* complete) {
    QByteArray out;
    // A rough guess that avoids most reallocations on large documents.
    qint64 guess = std::min<qint64>(doc.nodeCount() * 32, 1 << 30);
    if (maxBytes >= 0)
        guess = std::min(guess, maxBytes);
    out.reserve(static_cast<qsizetype>(guess));
    bool all = true;
    for (int i = 0; i < doc.topLevelCount() && all; ++i)
        all = WriteNode(doc.topLevel(i), 0, out, maxBytes);
    if (complete)
        *complete = all;
    return out;
}

qint64 DocumentTextSize(const SmlDocument& doc, qint64 limit) {
    qint64 size = 0;
    qint64 level = 0;
    const SmlNode* n = doc.firstNode();
    while (n && (limit < 0 || size <= limit)) {
        const qint64 indent = 2 * level;
        const NodeKind kind = n->Kind();
        size += indent + 1 + n->Text().size();
        if (kind == NodeKind::Item) {
            size += 4; // " >" and CR LF; an item's children are not written
        } else {
            size +=
                (kind == NodeKind::List ? 3 : 2) + indent + 3 + (kind == NodeKind::Message ? 2 : 0);
            if (n->childCount() > 0) {
                n = n->child(0);
                ++level;
                continue;
            }
        }
        const SmlNode* next = n->nextSkippingChildren();
        // Climb to the level of the next node: each step up leaves a subtree.
        const SmlNode* nextParent = next ? next->parent() : nullptr;
        for (const SmlNode* p = n->parent(); p != nextParent; p = p->parent())
            --level;
        n = next;
    }
    return size;
}

void SaveDocument(const QString& path, const SmlDocument& doc) {
    // Refuse before touching anything when the text cannot be made.
    if (DocumentTextSize(doc, kMaxSmlFileBytes) > kMaxSmlFileBytes)
        throw PlatformError::ForPath(kCannotCreateFile, path);
    FileSystem::SafeSave(path, WriteDocument(doc), kCannotCreateFile);
}

} // namespace pravik
