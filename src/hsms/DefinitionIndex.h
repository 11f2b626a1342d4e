#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>

#include "document/SmlDocument.h"
#include "hsms/Conformance.h"

namespace pravik {

class SmlNode;

// Finds the definition of SxFy in a document that may change while the link
// runs (edits, deletes, undo, a file read anew). Nothing found is kept past
// the call: the index of keys is rebuilt lazily after the document told of
// a change, and the nodes it gives are looked up again each time.
class DefinitionIndex : public QObject {
    Q_OBJECT
public:
    explicit DefinitionIndex(const SmlDocument* document, QObject* parent = nullptr);

    const SmlDocument* document() const { return m_document; }
    // The first message of the document with this stream and function, or
    // nullptr. Valid until control returns to the event loop.
    const SmlNode* find(int stream, int function);
    // Whether any message of the document has this stream.
    bool hasStream(int stream);
    // Grows with every change of the document: what was built from its
    // definitions is stale once it differs.
    quint64 revision() const { return m_revision; }
    // The check's readings of this document's nodes, valid for this revision.
    ConformanceCache& cache();

private:
    void rebuild();
    void invalidate() {
        m_dirty = true;
        ++m_revision;
    }

    QPointer<const SmlDocument> m_document;
    bool m_dirty = true;
    quint64 m_revision = 0;
    ConformanceCache m_cache;
    quint64 m_cacheRevision = 0;
    QHash<qint64, int> m_rows; // key -> top-level row
    QSet<int> m_streams;
};

} // namespace pravik
