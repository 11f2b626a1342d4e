#pragma once

#include <QtGlobal>
#include <vector>

namespace pravik {

class SmlDocument;
class SmlNode;

struct FaultyNode {
    qint64 absoluteIndex; // pre-order position, from 0
    SmlNode* node;
};

struct CheckResult {
    std::vector<FaultyNode> faulty; // in pre-order
    bool anyFaulty() const { return !faulty.empty(); }
    std::vector<SmlNode*> nodes() const;
};

// The correct or faulty image of a node by the rules of its kind: a
// message has at most one child, a list as many as its count says (or
// exactly one for "n"), an item none.
int CheckedImageIndex(const SmlNode* node);

// The faulty nodes of the document, in pre-order. Reads only: marking them
// (SmlDocument::setCheckMarks), selecting and revealing them is the
// caller's business.
CheckResult CheckStructure(const SmlDocument& doc);

} // namespace pravik
