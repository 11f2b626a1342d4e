#pragma once

#include "document/NodeArena.h"
#include "secs/CommonSmlReader.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace pravik {

// Two instances of one message whose structures cannot be merged.
struct ImportConflict {
    int stream = 0;
    int function = 0;
    int firstLine = 0; // where the definition built so far has the node
    int otherLine = 0; // where the instance that disagrees has it
    // "S6F11: 줄 12와(과) 줄 40의 구조를 합칠 수 없습니다"
    QString text() const;
};

struct ImportedMessage {
    qint64 key = 0; // stream * 1000 + function
    DetachedSubtree definition;
};

struct ImportResult {
    // One definition per SxFy, in the order of their first instance.
    std::vector<ImportedMessage> messages;
    std::vector<ImportConflict> conflicts; // instances left out
    std::optional<CommonSmlError> error;   // when set, messages is empty
    qint64 nodeCount = 0;                  // of all definitions
};

// The most nodes the definitions of one import may have.
inline constexpr qint64 kMaxImportNodes = 4000000;

// Makes the message node of a definition (its text given): where the
// definitions are built. The default is an arena of their own; building in
// the document's (SmlDocument::newDetached) saves copying them in.
using NewMessageNode = std::function<DetachedSubtree(QByteArrayView text)>;

class DocumentEditor;
class SmlDocument;
// Builds the definitions in doc's memory, where adding them copies nothing.
NewMessageNode NewMessageIn(SmlDocument& doc);

// Turns common SML into message definitions. Each message becomes a
// definition: "P" for W or an odd function, "S" otherwise; lists "L
// <count>", items "<type> <length>"; descriptions and marks from our own
// comments (SmlNote). Instances of the same SxFy are merged: a list whose
// count differs between them becomes "n" (its elements merged into one), an
// item length that differs becomes the largest seen. An instance whose
// structure cannot be merged is left out and reported. Malformed text, or
// definitions beyond kMaxImportNodes nodes, give the error and no
// definitions.
ImportResult ImportCommonSml(QByteArrayView text, const NewMessageNode& newMessage = {});

class SmlNode;

struct AddedMessages {
    std::vector<SmlNode*> added;  // the new messages, in document order
    std::vector<qint64> existing; // keys left out: the document has them
};

// Adds the imported messages the document does not have yet (by SxFy) at
// the top level and sorts the messages, as part of the edit ed records.
AddedMessages AddImportedMessages(DocumentEditor& ed, std::vector<ImportedMessage>& messages);
// The same as one undoable step of its own ("공통 SML 가져오기").
AddedMessages AddImportedMessages(SmlDocument& doc, std::vector<ImportedMessage>& messages);
QString ImportStepName();

// "S6F11" for a key.
QString KeyText(qint64 key);

} // namespace pravik
