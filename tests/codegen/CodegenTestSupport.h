#pragma once

#include "codegen/GeneratedText.h"
#include "document/SmlDocument.h"
#include "sml/SmlReader.h"

#include <QByteArray>
#include <initializer_list>
#include <memory>

namespace pravik::test {

// A document built from SML text, as the reader builds it.
inline std::unique_ptr<SmlDocument> DocumentFrom(const QByteArray& sml) {
    auto doc = std::make_unique<SmlDocument>();
    ParsedSml parsed = ParseSml(sml);
    doc->resetTo(std::move(parsed.root), parsed.counts.nodes);
    return doc;
}

// Expected generated lines, each ended by CR LF.
inline QByteArray Lines(std::initializer_list<const char*> lines) {
    QByteArray out;
    for (const char* line : lines)
        out += QByteArray(line) + "\r\n";
    return out;
}

// Lines of a generated text as a list, to compare pieces of large texts.
inline QList<QByteArray> SplitLines(const QByteArray& text) {
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray& l : lines)
        if (l.endsWith('\r'))
            l.chop(1);
    return lines;
}

} // namespace pravik::test
