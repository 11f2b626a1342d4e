#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace pravik {

// The one encoding rule of common-SML files, for every such file the
// program reads or writes (import, export, preview, the link's log):
//
// Reading: a byte-order mark decides (UTF-8, UTF-16 LE, UTF-16 BE); without
// one, text that is valid UTF-8 is UTF-8, and anything else is CP949. A
// chosen encoding overrides both. The reader gets the text in CP949, the
// code page of node texts and of the A items the driver sends.
//
// Writing: UTF-8 by default, CP949 on request.
//
// Either way a value's count in brackets and its SECS-II bytes are the wire
// bytes (CP949 for A): the file's encoding changes how a text looks, never
// what it counts or encodes to. So a preview printed in UTF-8 imports to the
// same bytes it shows.
enum class SmlEncoding { Auto, Utf8, Cp949, Utf16LE, Utf16BE };

// "utf-8", "cp949", "utf-16le", "utf-16be" (any case; "utf8" and "euc-kr"
// too); nullopt for any other name.
std::optional<SmlEncoding> SmlEncodingFromName(const QString& name);
// "UTF-8", "CP949", "UTF-16LE", "UTF-16BE"; "auto" for Auto.
QString SmlEncodingName(SmlEncoding encoding);

// A character that could not be carried across: where it stands in the file
// (columns count characters) and what became of it.
struct EncodingIssue {
    int line = 0;
    int column = 0;
    QString message;
    // "줄 3, 열 7: message"
    QString text() const;
};

// At most this many issues are listed; the rest are only counted.
inline constexpr int kMaxListedEncodingIssues = 100;

struct DecodedSml {
    QByteArray text;                           // CP949, without a byte-order mark
    SmlEncoding encoding = SmlEncoding::Cp949; // what the file was read as
    // Characters with no CP949 form (each became "?"), the first ones.
    std::vector<EncodingIssue> issues;
    qint64 issueCount = 0; // all of them
};

// A common-SML file's bytes as the reader takes them, by the rule above.
DecodedSml DecodeSmlFile(QByteArrayView file, SmlEncoding chosen = SmlEncoding::Auto);

struct EncodedSml {
    QByteArray bytes;
    // Bytes of the text that are no CP949 character (each became U+FFFD in
    // UTF-8), the first ones.
    std::vector<EncodingIssue> issues;
    qint64 issueCount = 0;
};

// CP949 common SML (as WriteCommonSml makes it) as a file's bytes: CP949
// unchanged, UTF-8 transcoded. Auto means UTF-8; UTF-16 is not written.
EncodedSml EncodeSmlFile(QByteArrayView cp949, SmlEncoding encoding = SmlEncoding::Utf8);

// Whether two bytes are one CP949 character that reads back to the same two
// bytes: the writer quotes only those, and writes any other byte above 0x7F
// as 0xNN, so that its text survives the trip through UTF-8.
bool IsCp949Pair(quint8 lead, quint8 trail);

// Well-formed UTF-8 (no overlong forms, surrogates or code points beyond
// U+10FFFF).
bool IsValidUtf8(QByteArrayView bytes);

} // namespace pravik
