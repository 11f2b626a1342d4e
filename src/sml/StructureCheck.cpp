#include "sml/StructureCheck.h"

#include "document/NodeHeader.h"
#include "document/NodeText.h"
#include "document/SmlDocument.h"

namespace pravik {

int CheckedImageIndex(const SmlNode* node) {
    const int children = node->childCount();
    switch (node->Kind()) {
    case NodeKind::Message:
        return children <= 1 ? ImageMessage : ImageMessageError;
    case NodeKind::List: {
        const QByteArrayView count = NodeHeader::Read(*node).countField;
        const bool ok =
            count == QByteArrayView("n") ? children == 1 : ParseDecimal(count, -1) == children;
        return ok ? ImageList : ImageListError;
    }
    case NodeKind::Item:
        break;
    }
    return children == 0 ? ImageItem : ImageItemError;
}

CheckResult CheckStructure(const SmlDocument& doc) {
    CheckResult result;
    qint64 index = 0;
    for (SmlNode* n = doc.firstNode(); n; n = n->nextPreOrder(), ++index)
        if (CheckedImageIndex(n) >= ImageMessageError)
            result.faulty.push_back({index, n});
    return result;
}

std::vector<SmlNode*> CheckResult::nodes() const {
    std::vector<SmlNode*> out;
    out.reserve(faulty.size());
    for (const FaultyNode& f : faulty)
        out.push_back(f.node);
    return out;
}

} // namespace pravik
