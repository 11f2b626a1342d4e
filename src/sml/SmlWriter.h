#pragma once

#include "document/NodeText.h"

#include <QByteArray>
#include <QString>

namespace pravik {

class SmlDocument;
class SmlNode;

// No limit for WriteNode / WriteDocument.
inline constexpr qint64 kUnlimited = -1;

// Appends the SML lines of node and its subtree to out, each followed by
// CR LF. level is the node's level (0 for a message). Iterative: any depth.
// With a limit, stops before the first line that would take out beyond
// maxBytes and returns false.
bool WriteNode(const SmlNode* node, int level, QByteArray& out, qint64 maxBytes = kUnlimited);

// The whole document as SML text, every line followed by CR LF. The same
// text is saved to files and shown in the text pane. With a limit the text
// ends with the last whole line that fits, and *complete (when given) tells
// whether everything was written.
QByteArray WriteDocument(const SmlDocument& doc, qint64 maxBytes = kUnlimited,
                         bool* complete = nullptr);

// The size in bytes of WriteDocument's text, computed without building it;
// stops counting once the size exceeds limit (when limit >= 0).
qint64 DocumentTextSize(const SmlDocument& doc, qint64 limit = kUnlimited);

// Writes the document to path: an existing file first becomes path + ".bak"
// (never replacing an older backup), then the text is written atomically.
// Throws PlatformError("Cannot create file %s") when it cannot be written
// (also when its text would exceed kMaxSmlFileBytes, before anything is
// touched); the previous content then survives as the backup or in place.
void SaveDocument(const QString& path, const SmlDocument& doc);

} // namespace pravik
