#pragma once

#include "document/DocumentEditor.h"
#include "document/SmlDocument.h"

#include <QStringLiteral>
#include <type_traits>
#include <utility>

namespace pravik::test {

// Runs f as one recorded edit of doc, as the program changes a tree, and
// returns what f returns.
template <typename F> auto Edit(SmlDocument& doc, F&& f) {
    using Result = decltype(f(std::declval<DocumentEditor&>()));
    if constexpr (std::is_void_v<Result>) {
        doc.perform(QStringLiteral("test"), [&](DocumentEditor& ed) { f(ed); });
    } else {
        Result result{};
        doc.perform(QStringLiteral("test"), [&](DocumentEditor& ed) { result = f(ed); });
        return result;
    }
}

// A node appended as an edit of its own.
inline SmlNode* Append(SmlDocument& doc, SmlNode* parent, QByteArrayView text, NodeKind kind) {
    return Edit(doc, [&](DocumentEditor& ed) { return ed.appendNode(parent, text, kind); });
}

} // namespace pravik::test
