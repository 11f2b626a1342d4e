#pragma once

#include "document/NodeArena.h"

#include <QByteArray>
#include <QString>

namespace pravik {

class SmlDocument;
class SmlNode;

// The two counts the status bar shows after a file is read.
struct ReadCounts {
    qint64 messages = 0; // nodes the reader created as messages
    qint64 nodes = 0;    // all nodes of the tree
};

// A tree built from SML text, not yet handed to a document: root holds
// the messages (SmlDocument::resetTo takes it).
struct ParsedSml {
    DetachedSubtree root;
    ReadCounts counts;
};

// Builds the tree that SML text describes. Never fails on content: lines
// that do not follow the format create nodes or do nothing.
ParsedSml ParseSml(const QByteArray& text);

// Replaces the document with the contents of the file at path. The whole
// file is read first: when it cannot be read, PlatformError("Cannot open
// file %s") is thrown and the document is left as it was. fileText, when
// given, receives the file's bytes (the text pane shows them as read).
ReadCounts ReadDocument(const QString& path, SmlDocument& doc, QByteArray* fileText = nullptr);

// The status-bar texts for the counts, "전체 메시지: N개" and "전체 아이템: N개".
QString MessageCountText(qint64 messages);
QString ItemCountText(qint64 nodes);

} // namespace pravik
