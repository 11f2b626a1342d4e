#pragma once

#include <QByteArray>
#include <QString>

namespace pravik {

class SmlDocument;
class SmlNode;

// Appends the SML lines of node and its subtree to out, each followed by
// CR LF. level is the node's level (0 for a message). Iterative: any depth.
void WriteNode(const SmlNode* node, int level, QByteArray& out);

// The whole document as SML text, every line followed by CR LF. The same
// text is saved to files and shown in the text pane.
QByteArray WriteDocument(const SmlDocument& doc);

// Writes the document to path: an existing file first becomes path + ".bak"
// (never replacing an older backup), then the text is written atomically.
// Throws PlatformError("Cannot create file %s") when it cannot be written;
// the previous content then survives as the backup or in place.
void SaveDocument(const QString& path, const SmlDocument& doc);

} // namespace pravik
