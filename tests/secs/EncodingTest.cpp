// The one encoding rule of common-SML files: how a file is read, how it is
// written, and that the counts and bytes are CP949's either way.
#include "SecsTestSupport.h"

#include "document/SmlDocument.h"
#include "secs/CommonSmlEncoding.h"
#include "secs/CommonSmlImport.h"
#include "sml/SmlReader.h"

namespace pravik::test {
namespace {

const QByteArray kHangulCp949 = "\xc7\xd1\xb1\xdb";        // 한글
const QByteArray kHangulUtf8 = "\xed\x95\x9c\xea\xb8\x80"; // 한글

QByteArray Utf16(const QString& s, bool littleEndian) {
    QByteArray out;
    for (const QChar c : s) {
        const char hi = static_cast<char>(c.unicode() >> 8);
        const char lo = static_cast<char>(c.unicode() & 0xFF);
        out.append(littleEndian ? lo : hi).append(littleEndian ? hi : lo);
    }
    return out;
}

TEST(CommonSmlEncoding, ReadingByMarkThenUtf8ThenCp949) {
    const QString text = QStringLiteral("S1F3 <A \"한글\">.");
    const struct {
        const char* what;
        QByteArray file;
        SmlEncoding chosen;
        SmlEncoding read;
        QByteArray text;
    } cases[] = {
        {"UTF-8 mark", "\xEF\xBB\xBF" + text.toUtf8(), SmlEncoding::Auto, SmlEncoding::Utf8,
         "S1F3 <A \"" + kHangulCp949 + "\">."},
        {"UTF-16LE mark", "\xFF\xFE" + Utf16(text, true), SmlEncoding::Auto, SmlEncoding::Utf16LE,
         "S1F3 <A \"" + kHangulCp949 + "\">."},
        {"UTF-16BE mark", "\xFE\xFF" + Utf16(text, false), SmlEncoding::Auto, SmlEncoding::Utf16BE,
         "S1F3 <A \"" + kHangulCp949 + "\">."},
        {"valid UTF-8", text.toUtf8(), SmlEncoding::Auto, SmlEncoding::Utf8,
         "S1F3 <A \"" + kHangulCp949 + "\">."},
        {"ASCII", "S1F1 W.", SmlEncoding::Auto, SmlEncoding::Utf8, "S1F1 W."},
        {"CP949", "S1F3 <A \"" + kHangulCp949 + "\">.", SmlEncoding::Auto, SmlEncoding::Cp949,
         "S1F3 <A \"" + kHangulCp949 + "\">."},
        // A chosen encoding overrides: these UTF-8 bytes stay as they are.
        {"chosen CP949", text.toUtf8(), SmlEncoding::Cp949, SmlEncoding::Cp949, text.toUtf8()},
        {"chosen UTF-16LE without a mark", Utf16(text, true), SmlEncoding::Utf16LE,
         SmlEncoding::Utf16LE, "S1F3 <A \"" + kHangulCp949 + "\">."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const DecodedSml d = DecodeSmlFile(c.file, c.chosen);
        EXPECT_EQ(d.encoding, c.read);
        EXPECT_EQ(d.text, c.text);
        EXPECT_EQ(d.issueCount, 0);
    }
}

TEST(CommonSmlEncoding, CharactersWithoutACp949FormAreNamed) {
    // A UTF-8 file with a character CP949 has not (U+0E01, Thai), on line 2.
    const QByteArray file = "S1F3\n  <A \"x\xe0\xb8\x81y\" /* \xf0\x9f\x98\x80 */>.";
    const DecodedSml d = DecodeSmlFile(file);
    EXPECT_EQ(d.encoding, SmlEncoding::Utf8);
    EXPECT_EQ(d.text, "S1F3\n  <A \"x?y\" /* ? */>.");
    ASSERT_EQ(d.issueCount, 2);
    EXPECT_EQ(d.issues[0].line, 2);
    EXPECT_EQ(d.issues[0].column, 8);
    EXPECT_TRUE(d.issues[0].message.contains(QStringLiteral("U+0E01")));
    EXPECT_EQ(d.issues[1].column, 15); // a character beyond the BMP counts once
    EXPECT_TRUE(d.issues[1].message.contains(QStringLiteral("U+1F600")));
    // The import tells them and counts them as lost.
    const ImportResult r = ImportCommonSmlFile(file);
    EXPECT_EQ(r.uncarried, 2);
    ASSERT_FALSE(r.warnings.empty());
    EXPECT_EQ(r.warnings[0].line, 2);
}

TEST(CommonSmlEncoding, WritingUtf8OrCp949) {
    const QByteArray text = "S1F3 /* " + kHangulCp949 + " */\n<A \"" + kHangulCp949 + "\">.";
    EncodedSml e = EncodeSmlFile(text);
    EXPECT_EQ(e.bytes, "S1F3 /* " + kHangulUtf8 + " */\n<A \"" + kHangulUtf8 + "\">.");
    EXPECT_EQ(e.issueCount, 0);
    EXPECT_EQ(EncodeSmlFile(text, SmlEncoding::Cp949).bytes, text);
    // A byte that is no CP949 character cannot go into UTF-8: named, U+FFFD.
    e = EncodeSmlFile("S1F1 /* a\n\xff */.");
    EXPECT_EQ(e.bytes, "S1F1 /* a\n\xef\xbf\xbd */.");
    ASSERT_EQ(e.issueCount, 1);
    EXPECT_EQ(e.issues[0].line, 2);
    EXPECT_EQ(e.issues[0].column, 1);
}

TEST(CommonSmlEncoding, Utf8IsValidatedStrictly) {
    const struct {
        QByteArray bytes;
        bool valid;
    } cases[] = {
        {"", true},
        {"plain", true},
        {kHangulUtf8, true},
        {"\xf0\x9f\x98\x80", true},
        {"\xc0\x80", false},         // an overlong NUL
        {"\xe0\x80\xaf", false},     // an overlong "/"
        {"\xed\xa0\x80", false},     // a surrogate
        {"\xf4\x90\x80\x80", false}, // beyond U+10FFFF
        {"\xed\x95", false},         // cut short
        {kHangulCp949, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes.toHex().toStdString();
}

// The writer quotes only what reads back from UTF-8 as the same bytes.
TEST(CommonSmlEncoding, TheWriterQuotesOnlyWhatSurvivesUtf8) {
    CommonSmlMessage m;
    m.stream = 1;
    m.function = 3;
    m.body.addItem(1, kHangulCp949 + "\\\"\xff\x80" + "a");
    QByteArray text;
    WriteCommonSml(m, text);
    EXPECT_EQ(text, "S1F3\n<A [9] \"" + kHangulCp949 + "\" 0x5c 0x22 0xff 0x80 \"a\">.\n");
    for (const SmlEncoding e : {SmlEncoding::Utf8, SmlEncoding::Cp949}) {
        const EncodedSml file = EncodeSmlFile(text, e);
        EXPECT_EQ(file.issueCount, 0);
        EXPECT_TRUE(ReadOne(DecodeSmlFile(file.bytes).text).body == m.body);
    }
}

// A preview printed in UTF-8 imports to the bytes it shows: the counts in
// brackets are CP949's.
TEST(CommonSmlEncoding, APreviewInUtf8ImportsToTheSameBytes) {
    SmlDocument doc;
    ParsedSml parsed =
        ParseSml("<S1F3 P " + kHangulCp949 + "\r\n  <A 6 " + kHangulCp949 + "x >\r\n>\r\n");
    doc.resetTo(std::move(parsed.root), parsed.counts.nodes);
    const MessagePreview preview = PreviewMessage(*doc.topLevel(0));
    ASSERT_TRUE(preview.ok());
    const QByteArray printed = EncodeSmlFile(preview.sml).bytes;
    EXPECT_TRUE(printed.contains("<A [6] \"" + kHangulUtf8 + "x \">"));
    const DecodedSml read = DecodeSmlFile(printed);
    EXPECT_EQ(read.encoding, SmlEncoding::Utf8);
    QByteArray bytes;
    ASSERT_EQ(EncodeBody(ReadOne(read.text).body, bytes), -1);
    EXPECT_EQ(bytes, preview.body);
    // Before the rule the UTF-8 bytes were read as CP949: 8 bytes for [6].
    EXPECT_TRUE(ReadError(printed).message.contains(QStringLiteral("길이는 [6]인데 값은 8개")));
}

} // namespace
} // namespace pravik::test
