#pragma once

#include <QByteArray>
#include <QString>

namespace pravik {

class SmlDocument;
class SmlNode;

// Finding nodes by their text as the tree shows it (decoded from the ANSI
// code page). The query is encoded once and the bytes of each node are
// searched in place, minding double-byte characters, so a search over a
// million nodes decodes nothing; only a case-insensitive query with letters
// beyond ASCII falls back to decoding the texts it looks at.
// A query such as "S6F11" (any case) finds the message with that stream and
// function instead.
class NodeSearch {
public:
    NodeSearch(const QString& query, bool caseSensitive);

    bool isEmpty() const { return m_query.isEmpty(); }
    // The query names a message by stream and function.
    bool isMessageQuery() const { return m_messageKey >= 0; }
    bool matches(const SmlNode& node) const;

    struct Result {
        SmlNode* node = nullptr; // nullptr: nothing matches anywhere
        bool wrapped = false;    // the search went past the end (or start)
    };
    // The next match after from in pre-order (the one before it, backward),
    // wrapping around the document; from itself comes last. Without from the
    // search starts at the first node (backward: the last one), inclusive.
    Result find(const SmlDocument& doc, const SmlNode* from, bool backward) const;

private:
    bool matchesBytes(const QByteArray& text) const;

    QString m_query;
    bool m_caseSensitive;
    QByteArray m_bytes;  // the query in the ANSI code page (lower-cased when folding ASCII)
    bool m_bytewise;     // the byte search gives the same answer as decoded text
    qint64 m_messageKey; // stream * 1000 + function, or -1
};

// The node before node in pre-order: its previous sibling's last
// descendant, or its parent; nullptr before the first node.
SmlNode* PreviousPreOrder(const SmlDocument& doc, const SmlNode* node);
// The last node of the document in pre-order.
SmlNode* LastNode(const SmlDocument& doc);

} // namespace pravik
