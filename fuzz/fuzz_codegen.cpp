// Feeds arbitrary bytes to the SML reader and generates the C++ header and
// source file from whatever tree it builds: the generator must cope with any
// tree the reader can make.
#include "codegen/HeaderWriter.h"
#include "codegen/SourceWriter.h"
#include "document/SmlDocument.h"
#include "platform/PlatformError.h"
#include "sml/SmlReader.h"
#include "sml/StructureCheck.h"

#include <QDate>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pravik::SmlDocument doc;
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    pravik::ParsedSml parsed = pravik::ParseSml(input);
    doc.resetTo(std::move(parsed.root), parsed.counts.nodes);
    if (size % 2)
        pravik::CheckStructure(doc); // error marks must not matter to the generator
    const QDate date(2024, 1, 2);
    // A deeply nested tree can outgrow the size cap; that is reported as an
    // error to the user, not a crash.
    const qint64 cap = 64 << 20;
    try {
        const QByteArray source =
            pravik::GenerateSourceText(doc, QStringLiteral("/tmp/Fuzz.cpp"), date, cap);
        const QByteArray header =
            pravik::GenerateHeaderText(doc, QStringLiteral("/tmp/Fuzz.h"), date, cap);
        if (source.isEmpty() || header.isEmpty())
            __builtin_trap(); // both files always have their fixed parts
    } catch (const pravik::PlatformError&) {
    }
    return 0;
}
