#pragma once

#include "secs/ExampleInstance.h"

#include <QByteArray>
#include <vector>

namespace pravik {

class SmlDocument;

// A message that has no example and so was not exported.
struct SkippedMessage {
    const SmlNode* message = nullptr;
    std::vector<DefinitionProblem> problems;
    // One line per problem: "S6F11 P Event Report Send: U4 x (줄 9): ...".
    QString text() const;
};

struct ExportResult {
    QByteArray text; // CR LF after every line
    int exported = 0;
    std::vector<SkippedMessage> skipped;
};

// Every message of the document as its example in common SML, in document
// order, with each node's description as a comment and the marks that let
// an import give back the same definitions. Lists whose length is not fixed
// get one element; so do items whose length is not fixed.
ExportResult ExportCommonSml(const SmlDocument& doc);

} // namespace pravik
