#include "document/NodeSearch.h"

#include "document/NodeHeader.h"
#include "document/SmlDocument.h"
#include "platform/AnsiText.h"

#include <QRegularExpression>

namespace pravik {

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsLeadByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 0x81 && u <= 0xFE;
}

// Whether pos starts a character: double-byte characters are read from
// the start of the text, as a decoder would.
bool IsCharacterStart(const char* text, qsizetype size, qsizetype pos) {
    qsizetype i = 0;
    while (i < pos)
        i += IsLeadByte(text[i]) && i + 1 < size ? 2 : 1;
    return i == pos;
}

} // namespace

NodeSearch::NodeSearch(const QString& query, bool caseSensitive)
    : m_query(query), m_caseSensitive(caseSensitive), m_bytewise(true), m_messageKey(-1) {
    static const QRegularExpression messagePattern(
        QStringLiteral("^[Ss](\\d{1,6})[Ff](\\d{1,6})$"));
    const QRegularExpressionMatch m = messagePattern.match(query.trimmed());
    if (m.hasMatch())
        m_messageKey = m.captured(1).toLongLong() * 1000 + m.captured(2).toLongLong();

    m_bytes = AnsiText::Encode(query);
    // A character the code page lacks cannot be searched as bytes; nor can
    // case be folded bytewise for letters beyond ASCII.
    if (AnsiText::Decode(m_bytes) != query)
        m_bytewise = false;
    if (!caseSensitive) {
        for (QChar c : query)
            if (c.unicode() >= 0x80 && c.toLower() != c.toUpper())
                m_bytewise = false;
        for (char& c : m_bytes)
            c = LowerAscii(c);
    }
}

bool NodeSearch::matchesBytes(const QByteArray& text) const {
    const qsizetype n = m_bytes.size();
    const char* t = text.constData();
    const qsizetype size = text.size();
    if (n > size)
        return false;
    const char* q = m_bytes.constData();
    for (qsizetype pos = 0; pos + n <= size; ++pos) {
        qsizetype k = 0;
        if (m_caseSensitive) {
            // Let memchr find the first byte quickly.
            const void* hit = memchr(t + pos, q[0], static_cast<size_t>(size - n - pos + 1));
            if (!hit)
                return false;
            pos = static_cast<const char*>(hit) - t;
            while (k < n && t[pos + k] == q[k])
                ++k;
        } else {
            while (k < n && LowerAscii(t[pos + k]) == q[k])
                ++k;
        }
        if (k == n && IsCharacterStart(t, size, pos))
            return true;
    }
    return false;
}

bool NodeSearch::matches(const SmlNode& node) const {
    if (m_messageKey >= 0)
        return node.isTopLevel() &&
               NodeHeader::Read(node.Text(), NodeKind::Message).key == m_messageKey;
    if (m_query.isEmpty())
        return false;
    if (m_bytewise)
        return matchesBytes(node.Text());
    return AnsiText::Decode(node.Text())
        .contains(m_query, m_caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

SmlNode* PreviousPreOrder(const SmlDocument& doc, const SmlNode* node) {
    if (!node)
        return nullptr;
    SmlNode* parent = node->parent();
    if (node->row() == 0)
        return parent;
    SmlNode* previous = parent ? parent->child(node->row() - 1) : doc.topLevel(node->row() - 1);
    while (previous->childCount() > 0)
        previous = previous->child(previous->childCount() - 1);
    return previous;
}

SmlNode* LastNode(const SmlDocument& doc) {
    if (doc.topLevelCount() == 0)
        return nullptr;
    SmlNode* n = doc.topLevel(doc.topLevelCount() - 1);
    while (n->childCount() > 0)
        n = n->child(n->childCount() - 1);
    return n;
}

NodeSearch::Result NodeSearch::find(const SmlDocument& doc, const SmlNode* from,
                                    bool backward) const {
    Result result;
    const int messages = doc.topLevelCount();
    if (isEmpty() || messages == 0)
        return result;

    if (m_messageKey >= 0) {
        // Messages only: walk the top level, starting beside the message that
        // holds from.
        while (from && from->parent())
            from = from->parent();
        const int start = from ? from->row() : (backward ? messages : -1);
        for (int k = 1; k <= messages; ++k) {
            const int i =
                backward ? ((start - k) % messages + messages) % messages : (start + k) % messages;
            SmlNode* n = doc.topLevel(i);
            if (matches(*n)) {
                result.node = n;
                result.wrapped = from && (backward ? i >= start : i <= start);
                return result;
            }
        }
        return {};
    }

    auto step = [&](const SmlNode* n) -> SmlNode* {
        return backward ? PreviousPreOrder(doc, n) : n->nextPreOrder();
    };
    auto wrapStart = [&]() -> SmlNode* { return backward ? LastNode(doc) : doc.firstNode(); };
    SmlNode* n = from ? step(from) : wrapStart();
    if (!n) {
        n = wrapStart();
        result.wrapped = true;
    }
    for (;;) {
        if (matches(*n)) {
            result.node = n;
            return result;
        }
        if (n == from)
            return {}; // came round to where it started
        SmlNode* next = step(n);
        if (!next) {
            if (!from || result.wrapped)
                return {}; // the whole document was searched
            next = wrapStart();
            result.wrapped = true;
        }
        n = next;
    }
}

} // namespace pravik
