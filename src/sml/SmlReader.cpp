#include "sml/SmlReader.h"

#include "document/SmlDocument.h"
#include "platform/FileSystem.h"

#include <algorithm>

namespace pravik {

namespace {

// Builds the tree line by line; "current" is the node new lines attach to.
class TreeBuilder {
public:
    TreeBuilder() { m_result.root = DetachedSubtree::createRoot(); }
    // One line, with the first "<" and ">" in it (nullptr when absent).
    void processLine(const char* begin, const char* end, const char* ltp, const char* gtp);
    ParsedSml finish() { return std::move(m_result); }

private:
    ParsedSml m_result;
    SmlNode* m_current = nullptr;
    int m_lineNumber = 0;
};

void TreeBuilder::processLine(const char* begin, const char* end, const char* ltp,
                              const char* gtp) {
    ++m_lineNumber;
    const qsizetype len = end - begin;
    if (ltp) {
        const qsizetype lt = ltp - begin + 1; // 1-based, as the format is described
        // The text is what is left of the line once gt characters are removed
        // from the ">" on (the ">" and, as long as fewer than gt characters
        // follow it, everything behind it), and then its first lt characters:
        // the line up to the ">" (a) and the rest behind the removed run (b),
        // without their first lt characters. Taken as two pieces of the line,
        // so nothing is copied before the text goes into the arena.
        QByteArrayView a(begin, len), b;
        if (gtp) {
            const qsizetype gt = gtp - begin + 1;
            a = QByteArrayView(begin, gt - 1);
            const qsizetype resume = std::min(len, 2 * gt - 1);
            b = QByteArrayView(begin + resume, len - resume);
        }
        if (lt <= a.size()) {
            a = a.sliced(lt);
        } else {
            b = b.sliced(std::min(b.size(), lt - a.size()));
            a = {};
        }
        const char first = !a.isEmpty() ? a[0] : !b.isEmpty() ? b[0] : '\0';
        // Trailing blanks and control characters go, across both pieces.
        auto trim = [](QByteArrayView& v) {
            qsizetype keep = v.size();
            while (keep > 0 && static_cast<unsigned char>(v[keep - 1]) <= 32)
                --keep;
            v.truncate(keep);
        };
        trim(b);
        if (b.isEmpty())
            trim(a);

        NodeKind kind = NodeKind::Item;
        if (first == 'S') {
            kind = NodeKind::Message;
            ++m_result.counts.messages;
        } else if (first == 'L') {
            kind = NodeKind::List;
        }
        SmlNode* holder = m_current ? (lt == 1 ? m_current->parent() : m_current) : nullptr;
        SmlNode* added =
            m_result.root.appendChild(holder ? holder : m_result.root.get(), a, b, kind);
        added->setSourceLine(m_lineNumber);
        m_current = added;
        ++m_result.counts.nodes;
    }
    // A closing ">" returns to the parent; with nothing open it is ignored.
    if (gtp && m_current)
        m_current = m_current->parent();
}

} // namespace

ParsedSml ParseSml(const QByteArray& text) {
    TreeBuilder builder;
    const char* p = text.constData();
    // A NUL byte ends the text.
    const char* nul = static_cast<const char*>(memchr(p, '\0', static_cast<size_t>(text.size())));
    const char* end = nul ? nul : p + text.size();
    // Every line is processed in file order, the last ones too: a last
    // message without its closing ">" is kept rather than dropped.
    while (p < end) {
        // One pass over the line finds its end and its first "<" and ">".
        const char* eol = p;
        const char* lt = nullptr;
        const char* gt = nullptr;
        for (; eol < end; ++eol) {
            const char c = *eol;
            if (c > '>')
                continue; // letters and most other bytes
            if (c == '\r' || c == '\n')
                break;
            if (c == '<' && !lt)
                lt = eol;
            else if (c == '>' && !gt)
                gt = eol;
        }
        builder.processLine(p, eol, lt, gt);
        if (eol < end && *eol == '\r' && eol + 1 < end && eol[1] == '\n')
            p = eol + 2;
        else
            p = eol + 1;
    }
    return builder.finish();
}

ReadCounts ReadDocument(const QString& path, SmlDocument& doc, QByteArray* fileText) {
    const QByteArray text = FileSystem::ReadWholeFile(path);
    ParsedSml parsed = ParseSml(text);
    doc.resetTo(std::move(parsed.root), parsed.counts.nodes);
    if (fileText)
        *fileText = text;
    return parsed.counts;
}

QString MessageCountText(qint64 messages) {
    return QStringLiteral("전체 메시지: %1개").arg(messages);
}

QString ItemCountText(qint64 nodes) {
    return QStringLiteral("전체 아이템: %1개").arg(nodes);
}

} // namespace pravik
