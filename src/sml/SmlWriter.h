#pragma once

#include "document/NodeText.h"

#include <QByteArray>
#include <QString>
#include <optional>

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

// A node that would not come back the same from the document's SML text,
// and why: a text holding ">", a line break or a NUL byte (SmlTextFaults),
// a kind the text's first character does not give ("S" a message, "L" a
// list, anything else an item), or an item with children (never written).
struct ReadBackProblem {
    const SmlNode* node = nullptr;
    QString reason;
    // "reason: 'text' (줄 12)", the line when the node was read from a file.
    QString text() const;
};
// The first such node in file order; one walk, no text is built.
std::optional<ReadBackProblem> FindNodeThatDoesNotReadBack(const SmlDocument& doc);

enum class SaveCheck {
    None,      // write every text as it is (the Save command)
    ReadsBack, // refuse, before anything is touched, a text that would not come back
};

// Writes the document to path: an existing file first becomes path + ".bak"
// (never replacing an older backup), then the text is written atomically.
// Throws PlatformError("Cannot create file %s") when it cannot be written
// (also when its text would exceed kMaxSmlFileBytes, or with ReadsBack when
// a node would not read back, naming it, before anything is touched); the
// previous content then survives as the backup or in place.
void SaveDocument(const QString& path, const SmlDocument& doc, SaveCheck check = SaveCheck::None);

} // namespace pravik
