#pragma once

#include "check/CheckRule.h"
#include "check/Diagnostic.h"

#include <QDeadlineTimer>

#include <memory>
#include <span>
#include <vector>

namespace pravik {

class SmlDocument;

// The definition checker: tells, node by node, what keeps the generated C++
// from compiling or from being safe at run time (errors), and what is
// likely a slip in the definitions (warnings). A document without errors
// gives code that compiles against the driver's header once the user has
// filled in the marked places (the AutoReply condition, Value_DeviceID, the
// Max_ bounds) and that never writes beyond a member on receiving.
//
// The rules, by id (stable; `pravik-cli lint` and the problems pane show them):
//   E101  a message has more than one child              (structure check)
//   E102  a list's count differs from its children       (structure check)
//   E103  an item has children                           (structure check)
//   E201  a list or item at the top level
//   E202  a message inside a list or item
//   E203  a message text not in the form "S<stream>F<function> ..."
//   E204  the declared class name differs from the one made of the numbers
//   E205  stream above 127 or function above 255 (no SECS-II header holds it)
//   E206  two messages with the same stream and function
//   E207  the messages of one stream are not adjacent
//   E208  no S9F11 whose item is an array named MHEAD (AutoReply needs it)
//   E209  a text that would break the comment it is written into
//   E301  an unknown item type code
//   E302  a JIS8 (J8) item: the generated code has no reader or writer for it
//   E303  an item length that is not a number of at least 1 ("n", 0, -1, x)
//   E304  a list count that is neither "n" nor a number from 0 to 32767
//   E305  an item longer than a SECS-II item can be (16777215 bytes)
//   E401  an item or variable list without a member name
//   E402  a member name that is not a C++ identifier
//   E403  a member name that is a C++ keyword or reserved name
//   E404  two members of one name in one struct
//   E405  a member name the generated code uses itself
//   E406  variable lists nested so deep that the loop letter runs past "z"
//   W501  a primary message (P) without its reply SxF(y+1)
//   W502  a secondary message (S) without its primary SxF(y-1)
//   W503  a type letter that disagrees with the function's parity
//   W504  a message without a type letter
//   W505  an item length written with leading zeros
//
// One walk over each message, iterative and linear in its size. The rules
// of a message read only its subtree, so a holder of the findings can check
// again just the messages an edit touched (checkMessage) and run the rules
// of the whole document over the facts of all of them (AssembleFindings).
//
// Order: the document's own findings first, then by node in document
// order; for one node, the findings of the message's rules before those of
// the document's.

// The findings of one top-level node by the rules of the message, with
// orders counted from that node (0), and its facts for the rules of the
// document.
struct MessageFindings {
    std::vector<Diagnostic> diagnostics; // in the checker's order
    MessageFacts facts;
    qint64 nodes = 0; // the top-level node and its subtree
};

class DefinitionChecker {
public:
    DefinitionChecker();
    ~DefinitionChecker();
    DefinitionChecker(const DefinitionChecker&) = delete;
    DefinitionChecker& operator=(const DefinitionChecker&) = delete;

    // The diagnostics in the order above. The node pointers are valid
    // while the document is unchanged.
    std::vector<Diagnostic> check(const SmlDocument& doc);
    // One top-level node, whatever its kind, by the rules of the message.
    MessageFindings checkMessage(const SmlNode& top);
    // The same in parts, so that a huge message need not be checked in one
    // go: continueMessage walks on until the message is done (true) or the
    // deadline has passed. The message must not change in between; abandon
    // the walk when it does.
    void beginMessage(const SmlNode& top);
    bool continueMessage(QDeadlineTimer deadline);
    MessageFindings takeMessage();
    void abandonMessage();

    // Every rule, in the order above.
    static const std::vector<const RuleInfo*>& rules();

private:
    class Walk;
    std::unique_ptr<Walk> m_walk;
};

// The rules of the document over the findings of every top-level node, in
// document order, merged with those findings into the checker's order (and
// orders counted from the document's start). Reads no node, so it may run on
// another thread while the findings live.
std::vector<Diagnostic> AssembleFindings(std::span<const MessageFindings* const> messages);

// DefinitionChecker().check(doc).
std::vector<Diagnostic> CheckDefinitions(const SmlDocument& doc);

} // namespace pravik
