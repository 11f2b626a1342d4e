#pragma once

#include "secs/CommonSmlMessage.h"

#include <QString>
#include <vector>

namespace pravik {

class SmlNode;

// Why a definition has no example: the node and what is wrong with it.
struct DefinitionProblem {
    const SmlNode* node = nullptr;
    QString message;
    // The node's text (decoded), its line in the file when read from one,
    // and the message: "U4 n VALUE (줄 214): ...".
    QString text() const;
};

struct ExampleOptions {
    // Elements of every list whose length is not fixed ("n").
    int variableCount = 1;
    // For export: an item whose length is not fixed gets one element (a
    // string its description) and a mark, instead of being a problem.
    bool variableItems = false;
    // For export: an item or "n" list without a member name carries its
    // exact text, so that an import leaves it without one instead of
    // naming it.
    bool markUnnamed = false;
};

// The most elements a variable list may be given (the preview's spin box,
// `pravik-cli preview --count`).
inline constexpr int kMaxVariableCount = 10000;
// An example beyond these sizes is refused instead of built.
inline constexpr qint64 kMaxExampleItems = 4000000;
inline constexpr qint64 kMaxExampleBytes = qint64(64) << 20;

// An example instance of one message definition: lists get their count (an
// "n" list variableCount elements, each a copy of its one child), "A" and
// "J" items a string of their length (the description, cut or padded with
// blanks), numbers 0, BOOLEAN F, binary 0x00. Every item carries its
// definition node's description as a note, and the marks an import needs to
// give back the same definition (see SmlNote).
struct Example {
    CommonSmlMessage message;
    std::vector<const SmlNode*> sources; // per body item: the node it stands for
    // When not empty, the definition has no example and message is empty.
    std::vector<DefinitionProblem> problems;
};

// Builds the example of a message node (a top-level node). Iterative.
Example BuildExample(const SmlNode& message, const ExampleOptions& options = {});

// Texts as a file stores them: without trailing blanks and control
// characters, which reading an ".sml" file removes.
QByteArrayView StoredForm(QByteArrayView text);

} // namespace pravik
