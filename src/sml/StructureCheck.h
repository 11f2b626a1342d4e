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
};

// The correct or faulty ImageIndex of a node by the rules of its kind: a
// message has at most one child, a list as many as its count says (or
// exactly one for "n"), an item none.
int CheckedImageIndex(const SmlNode* node);

// Marks every node correct or faulty through its ImageIndex and returns the
// faulty ones. Selecting and revealing them is the caller's business.
CheckResult CheckStructure(SmlDocument& doc);

} // namespace pravik
