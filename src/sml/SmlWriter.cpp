#include "sml/SmlWriter.h"

#include "document/SmlDocument.h"
#include "platform/AnsiText.h"
#include "platform/FileSystem.h"
#include "platform/PlatformError.h"

#include <cstring>
#include <vector>

namespace pravik {

namespace {

void AppendIndent(QByteArray& out, int level) {
    out.append(static_cast<qsizetype>(level) * 2, ' ');
}

// Writes the document's lines into one buffer in a single walk: plain
// copies, the buffer grown geometrically (from a guess) rather than sized by
// a walk of its own. With a limit it stops before the first line that would
// take the text beyond it, as WriteNode does.
class TextFiller {
public:
    TextFiller(qint64 guess, qint64 limit) : m_limit(limit) { grow(guess); }

    // False when the text stopped at the limit.
    bool document(const SmlDocument& doc) {
        const SmlNode* n = doc.firstNode();
        int level = 0;
        while (n) {
            const QByteArrayView text = n->TextView();
            const NodeKind kind = n->Kind();
            // "<" text and the line's end: " >" CR LF, " " CR LF or CR LF.
            const qint64 tail = kind == NodeKind::Item ? 4 : kind == NodeKind::List ? 3 : 2;
            if (!room(qint64(level) * 2 + 1 + text.size() + tail))
                return false;
            indent(level);
            put("<", 1);
            put(text.data(), text.size());
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
                if (!close(kind, level))
                    return false;
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
                if (!close(n->Kind(), level))
                    return false;
            }
        }
        return true;
    }

    QByteArray take() {
        m_out.truncate(m_at - m_out.constData());
        return std::move(m_out);
    }

private:
    // Room for a line of n bytes, unless it would pass the limit.
    bool room(qint64 n) {
        const qint64 used = m_at - m_out.constData();
        if (m_limit >= 0 && used + n > m_limit)
            return false;
        if (used + n > m_out.size())
            grow(std::max(used + n, qint64(m_out.size()) * 2));
        return true;
    }
    void grow(qint64 size) {
        if (m_limit >= 0)
            size = std::min(size, m_limit);
        const qint64 used = m_at ? m_at - m_out.constData() : 0;
        m_out.resize(static_cast<qsizetype>(size));
        m_at = m_out.data() + used;
    }
    void put(const char* bytes, qsizetype n) {
        std::memcpy(m_at, bytes, static_cast<size_t>(n));
        m_at += n;
    }
    void indent(int level) {
        std::memset(m_at, ' ', static_cast<size_t>(level) * 2);
        m_at += static_cast<qsizetype>(level) * 2;
    }
    bool close(NodeKind kind, int level) {
        const bool message = kind == NodeKind::Message;
        if (!room(qint64(level) * 2 + (message ? 5 : 3)))
            return false;
        indent(level);
        if (message)
            put(">\r\n\r\n", 5);
        else
            put(">\r\n", 3);
        return true;
    }

    QByteArray m_out;
    char* m_at = nullptr;
    qint64 m_limit;
};

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
    // The size first: a walk that allocates nothing, so that a text beyond
    // the limit (a document nested very deep) is known before memory is
    // spent on it, and a text within it is written without growing.
    const qint64 size = DocumentTextSize(doc, maxBytes);
    const bool fits = maxBytes < 0 || size <= maxBytes;
    TextFiller filler(fits ? size : std::min<qint64>(doc.nodeCount() * 32, maxBytes), maxBytes);
    const bool all = filler.document(doc);
    if (complete)
        *complete = all;
    return filler.take();
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

QString ReadBackProblem::text() const {
    QString t = reason + QStringLiteral(": '") + AnsiText::Decode(node->Text()) + QLatin1Char('\'');
    if (node->sourceLine() > 0)
        t += QStringLiteral(" (줄 %1)").arg(node->sourceLine());
    return t;
}

std::optional<ReadBackProblem> FindNodeThatDoesNotReadBack(const SmlDocument& doc) {
    for (const SmlNode* n = doc.firstNode(); n; n = n->nextPreOrder()) {
        const QByteArrayView text = n->TextView();
        const unsigned faults = SmlTextFaults(text);
        if (faults & kSmlTextGreaterThan)
            return ReadBackProblem{n, QStringLiteral("텍스트의 '>'에서 노드가 닫히고 뒤의 "
                                                     "노드들이 다른 곳에 붙습니다")};
        if (faults & kSmlTextLineBreak)
            return ReadBackProblem{n, QStringLiteral("텍스트의 줄바꿈에서 줄이 나뉩니다")};
        if (faults & kSmlTextNul)
            return ReadBackProblem{n, QStringLiteral("텍스트의 NUL 바이트에서 파일이 끝납니다")};
        const char first = text.isEmpty() ? '\0' : text[0];
        const NodeKind read = first == 'S'   ? NodeKind::Message
                              : first == 'L' ? NodeKind::List
                                             : NodeKind::Item;
        if (read != n->Kind())
            return ReadBackProblem{n, QStringLiteral("텍스트의 첫 글자 때문에 다른 종류의 노드로 "
                                                     "읽힙니다 (S는 메시지, L은 목록)")};
        if (n->Kind() == NodeKind::Item && n->childCount() > 0)
            return ReadBackProblem{n, QStringLiteral("아이템 아래의 노드는 저장되지 않습니다")};
    }
    return std::nullopt;
}

void SaveDocument(const QString& path, const SmlDocument& doc, SaveCheck check) {
    // Refuse before touching anything when the text cannot be made.
    const qint64 size = DocumentTextSize(doc, kMaxSmlFileBytes);
    if (size > kMaxSmlFileBytes)
        throw PlatformError::ForPath(kCannotCreateFile, path);
    if (check == SaveCheck::ReadsBack) {
        if (const auto problem = FindNodeThatDoesNotReadBack(doc))
            throw PlatformError(PlatformError::ForPath(kCannotCreateFile, path).message() +
                                QStringLiteral(" (") + problem->text() + QLatin1Char(')'));
    }
    TextFiller filler(size, kUnlimited);
    filler.document(doc);
    FileSystem::SafeSave(path, filler.take(), kCannotCreateFile);
}

} // namespace pravik
