// Common SML as other SECS libraries write it: a corpus of our own texts in
// each dialect (tests/data/secs/dialects), and each construct on its own.
#include "SecsTestSupport.h"

#include "check/DefinitionChecker.h"
#include "document/DocumentOperations.h"
#include "document/SmlDocument.h"
#include "platform/FileSystem.h"
#include "secs/CommonSmlImport.h"
#include "sml/SmlWriter.h"

namespace pravik::test {
namespace {

// The definitions an import makes, as the file a new document saves.
QByteArray Saved(ImportResult result) {
    EXPECT_FALSE(result.error) << result.error->text().toStdString();
    SmlDocument doc;
    AddImportedMessages(doc, result.messages);
    return WriteDocument(doc);
}

QByteArray Corpus(const char* name) {
    return FileSystem::ReadWholeFile(QStringLiteral(PRAVIK_TEST_DATA "/secs/dialects/") +
                                     QLatin1String(name));
}

// Each dialect's file imports whole, to definitions whose every member has
// a name (the dialect's, a comment's, or one made).
TEST(CommonSmlDialects, EachDialectsFileImports) {
    const struct {
        const char* file;
        const char* definitions; // CR LF in the file; "|" here
        qint64 madeNames;
        int refused;
    } cases[] = {
        {"peer-group.sml",
         "<S1F1 P |>||<S1F2 S |  <L 2  |    <A 6 MDLN >|    <A 20 SOFTREV >|  >|>||"
         "<S2F23 P |  <L 5  |    <U4 1 V1 >|    <A 6 V2 >|    <U4 1 V3 >|    <U4 1 V4 >|"
         "    <L n V5 |      <U2 3 V6 >|    >|  >|>||"
         "<S2F33 P |  <L 2  |    <U4 1 DATAID >|    <L n V1 |      <L 2  |"
         "        <U4 1 RPTID >|        <L 1  |          <U4 1 VID >|        >|      >|    >|"
         "  >|>||<S5F1 P |  <L 3  |    <BINARY 1 ALCD >|    <U2 1 ALID >|    <A 7 ALTX >|"
         "  >|>||",
         7, 0},
        {"secs4net.sml",
         "<S1F1 P Are You There|>||<S1F2 S On Line Data|  <L 2  |    <A 6 V1 >|"
         "    <A 6 V2 >|  >|>||<S1F13 P Establish Communication Request|  <L 2  |"
         "    <A 0 V1 >|    <A 0 V2 >|  >|>||<S5F1 P Alarm Report|  <L 3  |"
         "    <BINARY 1 V1 >|    <U4 1 V2 >|    <A 12 V3 >|  >|>||<S6F11 P Values|"
         "  <L 4  |    <BOOL 2 V1 >|    <F4 3 V2 >|    <J8 2 V3 >|    <U4 0 V4 >|  >|>||",
         11, 0},
        {"go-secs.sml",
         "<S1F1 P |>||<S1F13 P |  <L 2  |    <A 4 V1 >|    <U4 1 V2 >|  >|>||"
         "<S7F3 P MessageName|  <L 3  |    <A 4 V1 >|    <A 5 V2 >|    <L 2  |"
         "      <U4 1 V3 >|      <A 5 V4 >|    >|  >|>||<S10F3 P |  <L 2  |"
         "    <BINARY 1 V1 >|    <A 22 V2 >|  >|>||<S10F5 P |  <L 2  |    <A 8 V1 >|"
         "    <A 6 V2 >|  >|>||",
         10, 1},
        {"secsgem.sml",
         "<S1F3 P |  <L 3  |    <U1 1 V1 >|    <A 4 V2 >|    <U1 1 V3 >|  >|>||"
         "<S1F12 S |  <L 2  |    <L 3  |      <U1 1 V1 >|      <A 3 V2 >|      <A 2 V3 >|"
         "    >|    <L 3  |      <U2 1 V4 >|      <A 3 V5 >|      <A 0 V6 >|    >|  >|>||"
         "<S1F14 S |  <L 2  |    <BINARY 1 V1 >|    <L 2  |      <A 7 V2 >|      <A 5 V3 >|"
         "    >|  >|>||<S1F15 P |>||",
         12, 0},
        {"secs-cpp.sml",
         "<S1F1 P s1f1_1|>||<S1F2 S s1f2_1|  <L 2  |    <A 4 V1 >|    <A 7 V2 >|  >|>||"
         "<S6F11 P s6f11_report|  <L 3  |    <U4 1 V1 >|    <U4 1 V2 >|    <L 0  |    >|"
         "  >|>||",
         4, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        ImportResult r = ImportCommonSmlFile(Corpus(c.file));
        EXPECT_EQ(r.generatedNames, c.madeNames);
        EXPECT_EQ(r.refusedCount, c.refused);
        EXPECT_TRUE(r.conflicts.empty());
        EXPECT_TRUE(r.warnings.empty());
        QByteArray expected(c.definitions);
        expected.replace('|', "\r\n");
        SmlDocument doc;
        AddImportedMessages(doc, r.messages);
        EXPECT_EQ(WriteDocument(doc), expected);
        // Nothing for the generated code to miss a name for.
        for (const Diagnostic& d : DefinitionChecker().check(doc))
            EXPECT_FALSE(d.rule[0] == 'E' && d.rule[1] == '4')
                << d.rule << " " << d.message.toStdString();
    }
}

// Each construct, with the bytes it encodes to and the definition it makes.
TEST(CommonSmlDialects, EachConstructReads) {
    const struct {
        const char* construct;
        const char* text;
        const char* bytes;      // the body's SECS-II bytes
        const char* definition; // the message as imported, "|" for CR LF
    } cases[] = {
        {"name before a quoted header", "Are You There:'S1F1' W\n.", "",
         "<S1F1 P Are You There|>||"},
        {"W right after the quote", "Establish:'S1F13'W\n<L [0] >\n.", "01 00",
         "<S1F13 P Establish|  <L 0  |  >|>||"},
        {"double-quoted header", "\"S1F3\" W <L>.", "01 00", "<S1F3 P |  <L 0  |  >|>||"},
        {"name, colon, plain header", "s2f17_1: S2F17 W.", "", "<S2F17 P s2f17_1|>||"},
        {"optional W-bit", "S2F18 [W] <A \"x\">.", "41 01 78", "<S2F18 P |  <A 1 V1 >|>||"},
        {"[n] declaring a size", "S1F2 <L <A[1] ''> <A [6] 'MDL'>>.", "01 02 41 00 41 03 4d 44 4c",
         "<S1F2 S |  <L 2  |    <A 1 V1 >|    <A 6 V2 >|  >|>||"},
        {"a range of an item: the upper bound", "S1F4 <A [0..40] \"abc\">.", "41 03 61 62 63",
         "<S1F4 S |  <A 40 V1 >|>||"},
        {"a range of a list: n", "S1F6 <L [1..3] <U1 [1] 7>>.", "01 01 a5 01 07",
         "<S1F6 S |  <L n V1 |    <U1 1 V2 >|  >|>||"},
        {"a range given with a comma", "S1F8 <U1 [0,4] 1 2>.", "a5 02 01 02",
         "<S1F8 S |  <U1 4 V1 >|>||"},
        {"binary literals", "S1F10 <B 0b101 0B11111111>.", "21 02 05 ff",
         "<S1F10 S |  <BINARY 2 V1 >|>||"},
        {"escapes", "S1F12 <A \"a\\\"b\\\\c\\n\\x41\\q\">.", "41 09 61 22 62 5c 63 0a 41 5c 71",
         "<S1F12 S |  <A 9 V1 >|>||"},
        {"an unescaped quote inside the text", "S1F14 <A 'it's'>.", "41 04 69 74 27 73",
         "<S1F14 S |  <A 4 V1 >|>||"},
        {"names in place of values", "S1F16 <L <A [6] SOFTREV> <U4 DATAID> <A MDLN>>.",
         "01 03 41 00 b1 04 00 00 00 00 41 00",
         "<S1F16 S |  <L 3  |    <A 6 SOFTREV >|    <U4 1 DATAID >|    <A n MDLN >|  >|>||"},
        {"a list's name", "S2F33 W <L [2] <U4 1> <L RPTS <U4 1>>>.",
         "01 02 b1 04 00 00 00 01 01 01 b1 04 00 00 00 01",
         "<S2F33 P |  <L 2  |    <U4 1 V1 >|    <L 1 RPTS |      <U4 1 V2 >|    >|  >|>||"},
        {"values as .NET writes them", "S6F1 <L <Boolean True False> <F4 NaN -Infinity> <J 'x'>>.",
         "01 03 25 02 01 00 91 08 7f c0 00 00 ff 80 00 00 45 01 78",
         "<S6F1 P |  <L 3  |    <BOOL 2 V1 >|    <F4 2 V2 >|    <J8 1 V3 >|  >|>||"},
        {"comments of three kinds", "# a log\nS1F18 // header\n<B 0x0> /* ONLACK */\n.", "21 01 00",
         "<S1F18 S header|  <BINARY 1 ONLACK >|>||"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.construct);
        EXPECT_EQ(EncodedHex(c.text), c.bytes);
        QByteArray expected(c.definition);
        expected.replace('|', "\r\n");
        EXPECT_EQ(Saved(ImportCommonSml(c.text)), expected);
    }
}

// A node offered both a name and a comment loses neither: a message's
// description joins them; an item keeps its name (its member's) and the
// import tells the comment it left out, at the item's place.
TEST(CommonSmlDialects, ANameAndACommentAreBothKeptOrTold) {
    const struct {
        const char* text;
        const char* definition; // "|" for CR LF
        int warningLine;        // 0: no warning
        int warningColumn;
    } cases[] = {
        {"Are You There:'S1F1' W // asks the peer\n.", "<S1F1 P Are You There - asks the peer|>||",
         0, 0},
        {"same: S1F1 W /* same */.", "<S1F1 P same|>||", 0, 0},
        {"S1F2\n<L\n  <A [6] SOFTREV> // software revision\n>.",
         "<S1F2 S |  <L 1  |    <A 6 SOFTREV >|  >|>||", 3, 3},
        {"S1F4 <U4 DATAID> /* DATAID */.", "<S1F4 S |  <U4 1 DATAID >|>||", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ImportResult r = ImportCommonSml(c.text);
        QByteArray expected(c.definition);
        expected.replace('|', "\r\n");
        ASSERT_EQ(r.warnings.size(), c.warningLine ? 1u : 0u);
        if (c.warningLine) {
            EXPECT_EQ(r.warnings[0].line, c.warningLine);
            EXPECT_EQ(r.warnings[0].column, c.warningColumn);
            EXPECT_TRUE(r.warnings[0].message.contains(QStringLiteral("software revision")))
                << r.warnings[0].message.toStdString();
        }
        EXPECT_EQ(Saved(std::move(r)), expected);
    }
}

// What is still refused names its line, its column and what was expected.
TEST(CommonSmlDialects, WhatIsStillRefusedSaysWhereAndWhat) {
    const struct {
        const char* text;
        int line;
        int column;
        const char* says;
    } cases[] = {
        {"Name S1F1 W.", 1, 1, "메시지 머리"},
        {"Name: S1F1x W.", 1, 7, "메시지 머리"},
        {"'S1F1 W.", 1, 1, "메시지 머리"},
        {"S1F1 <A [5..2]>.", 1, 11, "작은 수가 앞에"},
        {"S1F1 <A [1..3] \"abcd\">.", 1, 6, "길이는 [1..3]인데 값은 4개입니다"},
        {"S1F1\n<L [2..3] <U1 1>>.", 2, 1, "목록의 길이는 [2..3]인데 아이템은 1개입니다"},
        {"S1F1 <U4 VID1 VID2>.", 1, 15, "이름은 하나만"},
        {"S1F1 <U4 0b2>.", 1, 10, "U4 값은"},
        {"S1F1 <L [1] X <U1>>.", 1, 13, "'<' 또는 '>'"},
    };
    for (const auto& c : cases) {
        const CommonSmlError e = ReadError(c.text);
        EXPECT_EQ(e.line, c.line) << c.text;
        EXPECT_EQ(e.column, c.column) << c.text;
        EXPECT_TRUE(e.message.contains(QString::fromUtf8(c.says)))
            << c.text << " -> " << e.message.toStdString();
    }
}

// A W item is refused by name, line and column; the next message is read.
TEST(CommonSmlDialects, TheWItemIsRefusedAndReadingGoesOn) {
    const QByteArray text = "S1F1 W.\n"
                            "S10F9 W\n"
                            "<L [2]\n"
                            "  <A \"a\">\n"
                            "    <W [2] 'hi' 0x41>\n"
                            ">.\n"
                            "Hello:'S10F11'\n"
                            "  <W \"x\">.\n"
                            "S1F2 <L>.\n";
    CommonSmlReader reader(text);
    CommonSmlMessage m;
    std::vector<int> read;
    while (reader.next(m))
        read.push_back(m.stream * 1000 + m.function);
    EXPECT_FALSE(reader.error());
    EXPECT_EQ(read, (std::vector<int>{1001, 1002}));
    ASSERT_EQ(reader.refusals().size(), 2u);
    EXPECT_EQ(reader.refusalCount(), 2);
    EXPECT_EQ(reader.refusals()[0].line, 5);
    EXPECT_EQ(reader.refusals()[0].column, 6);
    EXPECT_TRUE(reader.refusals()[0].message.startsWith(QStringLiteral("S10F9: 2바이트 문자(W)")));
    EXPECT_EQ(reader.refusals()[1].line, 8);
    EXPECT_EQ(reader.refusals()[1].column, 4);
    // Import leaves them out and says so.
    const ImportResult r = ImportCommonSml(text);
    EXPECT_EQ(r.messages.size(), 2u);
    EXPECT_EQ(r.refusedCount, 2);
    // A W item that is itself malformed is an error like any other.
    EXPECT_EQ(ReadError("S1F1 <W \"x>.").line, 1);
}

} // namespace
} // namespace pravik::test
