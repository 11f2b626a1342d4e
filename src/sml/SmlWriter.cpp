#include "sml/SmlWriter.h"

#include "document/SmlDocument.h"
#include "platform/FileSystem.h"
#include "platform/PlatformError.h"

#include <cstring>
#include <vector>

namespace pravik {

namespace {

void AppendIndent(QByteArray& out, int level) {
    out.append(static_cast<qsizetype>(level) * 2, ' ');
}

// Fills a buffer of exactly the document's text size: one pass, plain
// copies, no growing. The same lines as WriteNode writes.
class TextFiller {
public:
    explicit TextFiller(char* at) : m_at(at) {}
    char* end() const { return m_at; }

    void document(const SmlDocument& doc) {
        const SmlNode* n = doc.firstNode();
        int level = 0;
        while (n) {
            indent(level);
            put("<", 1);
            const QByteArrayView text = n->TextView();
            put(text.data(), text.size());
            const NodeKind kind = n->Kind();
            if (kind == NodeKind::Item) {
                put(" >\r\n", 4); // an item's own children are not written
            } else {
                if (kind == NodeKind::List)
                    put(" \r\n", 3);
                else
                    put("\r\n", 2);
                if (n->childCount() > 0) {
                    n = n->child(0);
                    ++level;
                    continue;
                }
                close(kind, level);
            }
            // On to the next sibling, closing every list or message left.
            for (;;) {
                const SmlNode* parent = n->parent();
                const int siblings = doc.childCountOf(parent);
                if (n->row() + 1 < siblings) {
                    n = parent ? parent->child(n->row() + 1) : doc.topLevel(n->row() + 1);
                    break;
                }
                n = parent;
                if (!n)
                    break;
                --level;
                close(n->Kind(), level);
            }
        }
    }

private:
    void put(const char* bytes, qsizetype n) {
        std::memcpy(m_at, bytes, static_cast<size_t>(n));
        m_at += n;
    }
    void indent(int level) {
        std::memset(m_at, ' ', static_cast<size_t>(level) * 2);
        m_at += static_cast<qsizetype>(level) * 2;
    }
    void close(NodeKind kind, int level) {
        indent(level);
        if (kind == NodeKind::Message)
            put(">\r\n\r\n", 5);
        else
            put(">\r\n", 3);
    }

    char* m_at;
};

// The whole text when its size is known.
QByteArray FillDocument(const SmlDocument& doc, qint64 size) {
    QByteArray out(static_cast<qsizetype>(size), Qt::Uninitialized);
    TextFiller filler(out.data());
    filler.document(doc);
    // The size and the lines come from one set of rules; should they ever
    // part, the text written is what counts.
    out.truncate(filler.end() - out.constData());
    return out;
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
    const qint64 size = DocumentTextSize(doc, maxBytes);
    if (maxBytes < 0 || size <= maxBytes) {
        if (complete)
            *complete = true;
        return FillDocument(doc, size);
    }
    // Too long: as many whole lines as fit.
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
    const qint64 size = DocumentTextSize(doc, kMaxSmlFileBytes);
    if (size > kMaxSmlFileBytes)
        throw PlatformError::ForPath(kCannotCreateFile, path);
    FileSystem::SafeSave(path, FillDocument(doc, size), kCannotCreateFile);
}

} // namespace pravik
