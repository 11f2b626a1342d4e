// Feeds arbitrary bytes to the common-SML reader and checks what it reads:
// every message encodes and decodes to the same items, and writes and reads
// back to the same message with the same notes, also through a UTF-8 file.
// An import of the text, when it succeeds, gives definitions that read back
// from their ".sml" file, and exports and imports again to the same
// definitions (as files keep them: after a resave). The file's bytes are
// also decoded by the encoding rule.
#include "document/ItemTypes.h"
#include "document/SmlDocument.h"
#include "secs/CommonSmlEncoding.h"
#include "secs/CommonSmlExport.h"
#include "secs/CommonSmlImport.h"
#include "secs/CommonSmlReader.h"
#include "secs/CommonSmlWriter.h"
#include "secs/SecsCodec.h"
#include "sml/SmlReader.h"
#include "sml/SmlWriter.h"

#include <QtEndian>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using namespace pravik;

[[noreturn]] void Fail(const char* what, const QByteArray& a = {}, const QByteArray& b = {}) {
    std::fprintf(stderr, "%s\n--- a\n%s\n--- b\n%s\n", what, a.constData(), b.constData());
    std::abort();
}

// The writer writes every NaN as "nan": one bit pattern per width.
void CanonicalNaNs(SecsBody& body) {
    for (const SecsItem& item : body.items) {
        const ItemType& t = item.itemType();
        if (t.valueKind != ItemValueKind::Float)
            continue;
        for (quint32 e = 0; e < item.count(); ++e) {
            char* p = body.data.data() + item.offset + qint64(e) * t.elementSize;
            if (t.elementSize == 4) {
                const quint32 raw = qFromBigEndian<quint32>(p);
                float f;
                std::memcpy(&f, &raw, 4);
                if (std::isnan(f))
                    qToBigEndian<quint32>(0x7fc00000u, p);
            } else {
                const quint64 raw = qFromBigEndian<quint64>(p);
                double d;
                std::memcpy(&d, &raw, 8);
                if (std::isnan(d))
                    qToBigEndian<quint64>(0x7ff8000000000000ull, p);
            }
        }
    }
}

bool SameNotes(const CommonSmlMessage& a, const CommonSmlMessage& b) {
    if (a.notes.size() != b.notes.size())
        return false;
    for (size_t i = 0; i < a.notes.size(); ++i) {
        const SmlNote& x = a.notes[i];
        const SmlNote& y = b.notes[i];
        if (x.item != y.item || x.description != y.description || x.text != y.text ||
            x.variable != y.variable || x.messageType != y.messageType)
            return false;
    }
    return true;
}

// A document's SML text as a file keeps it: written, read and written again
// (reading drops the blanks at the end of texts).
QByteArray Resaved(const SmlDocument& doc) {
    SmlDocument again;
    ParsedSml parsed = ParseSml(WriteDocument(doc));
    again.resetTo(std::move(parsed.root), parsed.counts.nodes);
    return WriteDocument(again);
}

QByteArray Definitions(ImportResult result) {
    SmlDocument doc;
    AddImportedMessages(doc, result.messages);
    return Resaved(doc);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    CommonSmlReader reader(input);
    CommonSmlMessage m;
    while (reader.next(m)) {
        QByteArray bytes;
        if (EncodeBody(m.body, bytes) >= 0)
            Fail("the reader let a length beyond three bytes through");
        SecsBody decoded;
        if (DecodeBody(bytes, decoded) || !(decoded == m.body))
            Fail("decode(encode(x)) != x", bytes.toHex());
        QByteArray text;
        WriteCommonSml(m, text);
        CommonSmlReader again(text);
        CommonSmlMessage back;
        if (!again.next(back))
            Fail("written text does not read", text,
                 again.error() ? again.error()->text().toUtf8() : QByteArray());
        CanonicalNaNs(m.body);
        CanonicalNaNs(back.body);
        if (!(back.body == m.body) || back.stream != m.stream || back.function != m.function ||
            back.replyExpected != m.replyExpected)
            Fail("write/read changed the message", text);
        if (!SameNotes(m, back))
            Fail("write/read changed the notes", text);
        // What the writer quotes survives UTF-8; so does all of it when no
        // byte had to be replaced.
        const EncodedSml utf8 = EncodeSmlFile(text, SmlEncoding::Utf8);
        if (utf8.issueCount == 0 && DecodeSmlFile(utf8.bytes).text != text)
            Fail("the UTF-8 file does not decode to the text", text, utf8.bytes);
    }
    (void)DecodeSmlFile(input);
    if (reader.error() && (reader.error()->line < 1 || reader.error()->column < 1))
        Fail("an error without its place");

    // Definitions from the text give themselves back through export and import.
    ImportResult first = ImportCommonSml(input);
    if (first.error)
        return 0;
    SmlDocument doc;
    AddImportedMessages(doc, first.messages);
    if (const auto problem = FindNodeThatDoesNotReadBack(doc))
        Fail("an imported text does not read back", problem->node->Text());
    const ExportResult exported = ExportCommonSml(doc);
    if (!exported.skipped.empty())
        return 0; // e.g. an "n" list never seen with an element
    ImportResult second = ImportCommonSml(exported.text);
    if (second.error)
        Fail("our export does not read", exported.text, second.error->text().toUtf8());
    const QByteArray before = Resaved(doc);
    const QByteArray after = Definitions(std::move(second));
    if (before != after)
        Fail("export/import changed the definitions", before, after);
    return 0;
}
