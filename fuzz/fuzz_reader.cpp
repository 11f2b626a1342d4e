// Feeds arbitrary bytes to the SML reader, runs the structure check, and
// checks that writing and reading settle: once no node text holds a ">",
// read -> write -> read -> write gives the same text again. A text can keep a
// ">" from a line whose tail survived the cut behind the first ">"; every
// round then cuts it again (and may take the writer's own " >" of an item
// into the text), so such a text shifts and shrinks over the rounds; it must
// settle within a number of rounds bounded by the text's size.
#include "document/SmlDocument.h"
#include "sml/SmlReader.h"
#include "sml/SmlWriter.h"
#include "sml/StructureCheck.h"

#include <cstdio>
#include <cstdlib>

namespace {
QByteArray Round(const QByteArray& text, pravik::SmlDocument& doc) {
    pravik::ParsedSml parsed = pravik::ParseSml(text);
    doc.resetTo(std::move(parsed.root), parsed.counts.nodes);
    return pravik::WriteDocument(doc);
}

qsizetype GreaterThansInTexts(const pravik::SmlDocument& doc) {
    qsizetype count = 0;
    for (const pravik::SmlNode* n = doc.firstNode(); n; n = n->nextPreOrder())
        count += n->Text().count('>');
    return count;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pravik::SmlDocument doc;
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QByteArray text = Round(input, doc);
    if (pravik::DocumentTextSize(doc) != text.size()) {
        std::fprintf(stderr, "text size computed wrongly\n");
        std::abort();
    }
    pravik::CheckStructure(doc);
    text = pravik::WriteDocument(doc); // marks do not change the text
    qsizetype rounds = 2 * text.size() + 8;
    for (;;) {
        const qsizetype before = GreaterThansInTexts(doc);
        const QByteArray next = Round(text, doc);
        if (before == 0 && next != text) {
            std::fprintf(stderr, "unstable round trip\n--- before\n%s\n--- after\n%s\n",
                         text.constData(), next.constData());
            std::abort();
        }
        if (next == text)
            break;
        if (--rounds < 0) {
            std::fprintf(stderr, "round trip does not settle\n");
            std::abort();
        }
        text = next;
    }
    return 0;
}
