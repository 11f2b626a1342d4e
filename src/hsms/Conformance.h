#pragma once

#include "secs/SecsBody.h"

#include <QString>
#include <memory>

namespace pravik {

class SmlNode;

// The first place where a received body leaves its definition. node is
// valid only while the definition is unchanged: a holder turns it into a
// path and rows (see Verdict) before the document can change.
struct ConformanceResult {
    bool conforms = true;
    const SmlNode* node = nullptr; // the definition node that differs
    int depth = 0;                 // of node below the message (0: the message)
    qint64 item = -1;              // the received item there (index into body.items), or -1
    QString reason;                // Korean
};

// What the check read from definition nodes, kept between checks while the
// definitions do not change (DefinitionIndex clears it on every change), so
// that a stream of messages does not read the same node texts each time.
class ConformanceCache {
public:
    ConformanceCache();
    ~ConformanceCache();
    void clear();

private:
    friend struct ConformanceAccess;
    struct Data;
    std::unique_ptr<Data> m_data;
};

// Whether body conforms to the message definition, by the rule of the
// Receive function generated for it: a message conforms exactly when that
// function reads every item completely and safely.
//
// - Lists: a list whose count is exactly "n" takes any number of elements,
//   each read by its one child (with another number of children only an
//   empty list is read safely); any other list must hold as many items as
//   the definition has children that the function reads.
// - Items: the format must be the definition's (J8 is JIS-8). A and J8 take
//   at most the declared length (a shorter string is read whole); numeric,
//   BOOL and BINARY items exactly the declared number of values. A length
//   that is not a positive number ("n", "0") is one the user's code sizes,
//   so any length is read.
// - Children of an unknown type get no line in the function, so they read
//   nothing and stand for no item.
// - A message with no item reads no body; one with more than one cannot
//   be matched by a body, which holds one item.
//
// Iterative: any depth, linear in the body and the definition.
ConformanceResult CheckConformance(const SmlNode& message, const SecsBody& body,
                                   ConformanceCache* cache = nullptr);

} // namespace pravik
