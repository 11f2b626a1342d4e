#include "SecsTestSupport.h"

#include "document/SmlDocument.h"
#include "platform/FileSystem.h"
#include "sml/SmlReader.h"

namespace pravik::test {
namespace {

// A document read from SML text, as the Open command reads it.
struct Doc {
    explicit Doc(const QByteArray& text) {
        ParsedSml parsed = ParseSml(text);
        doc.resetTo(std::move(parsed.root), parsed.counts.nodes);
    }
    const SmlNode* message(const char* head) const {
        for (int i = 0; i < doc.topLevelCount(); ++i)
            if (doc.topLevel(i)->Text().startsWith(QByteArray(head) + " "))
                return doc.topLevel(i);
        ADD_FAILURE() << "no " << head;
        return nullptr;
    }
    SmlDocument doc;
};

QByteArray Example() {
    return FileSystem::ReadWholeFile(QStringLiteral(PRAVIK_EXAMPLES "/host.sml"));
}

TEST(MessagePreview, EventReportOfTheExample) {
    const Doc d(Example());
    const SmlNode* s6f11 = d.message("S6F11");
    ASSERT_TRUE(s6f11);
    const MessagePreview p = PreviewMessage(*s6f11);
    ASSERT_TRUE(p.ok());
    EXPECT_EQ(p.key, "S6F11");
    // The golden file, which pravik-cli's preview prints too.
    EXPECT_EQ(p.sml, FileSystem::ReadWholeFile(
                         QStringLiteral(PRAVIK_TEST_DATA "/secs/host-S6F11-example.txt")));
    EXPECT_EQ(HexPairs(p.body), "01 03 b1 04 00 00 00 00 b1 04 00 00 00 00 01 01 01 02 b1 04 00 "
                                "00 00 00 01 01 41 28 56 41 4c 55 45" +
                                    QByteArray(" 20").repeated(35));
    // Each example item knows its node, its text and its bytes.
    ASSERT_EQ(p.spans.size(), 8u);
    const PreviewSpan& value = p.spans[7];
    EXPECT_EQ(value.node->Text(), "A 40 VALUE");
    EXPECT_TRUE(p.sml.mid(value.text.begin, value.text.end - value.text.begin)
                    .startsWith("<A [40] \"VALUE "));
    EXPECT_EQ(value.bytes.begin, 26);
    EXPECT_EQ(value.bytes.end, 68);
    EXPECT_EQ(p.spans[3].bytes.begin, 14); // the RPT list runs to the end
    EXPECT_EQ(p.spans[3].bytes.end, 68);
    EXPECT_EQ(p.sml.left(p.header.end), "S6F11 W /* Event Report Send */");

    // Two elements in every "n" list: two reports of two values each.
    const MessagePreview two = PreviewMessage(*s6f11, 2);
    ASSERT_TRUE(two.ok());
    EXPECT_EQ(two.body.size(), 14 + 2 + 2 * (2 + 6 + 2 + 2 * 42));
    int values = 0;
    for (const PreviewSpan& s : two.spans)
        values += s.node == value.node;
    EXPECT_EQ(values, 4);
    // None: empty lists.
    EXPECT_EQ(HexPairs(PreviewMessage(*s6f11, 0).body),
              "01 03 b1 04 00 00 00 00 b1 04 00 00 00 00 01 00");
}

TEST(MessagePreview, ValuesOfEveryTypeAndPlaceholders) {
    const Doc d("<S1F3 S Values\n  <L 8 \n    <A 3 \xc7\xd1\xb1\xdbX >\n    <A 4 ab >\n"
                "    <J8 2 >\n    <BINARY 2 >\n    <BOOL 1 >\n    <I2 2 >\n    <F8 1 >\n"
                "    <U1 0 >\n  >\n>\n");
    const MessagePreview p = PreviewMessage(*d.doc.topLevel(0));
    ASSERT_TRUE(p.ok()) << p.problems[0].text().toStdString();
    // A double-byte character is never cut in half: "한" and a blank.
    EXPECT_EQ(p.sml, "S1F3 /*S*/ /* Values */\n"
                     "<L [8]\n"
                     "  <A [3] \"\xc7\xd1 \"> /* \xc7\xd1\xb1\xdbX */\n"
                     "  <A [4] \"ab  \"> /* ab */\n"
                     "  <J [2] \"  \">\n"
                     "  <B [2] 0x00 0x00>\n"
                     "  <BOOLEAN [1] F>\n"
                     "  <I2 [2] 0 0>\n"
                     "  <F8 [1] 0.0>\n"
                     "  <U1 [0]>\n"
                     ">.\n");
    EXPECT_EQ(HexPairs(p.body), "01 08 41 03 c7 d1 20 41 04 61 62 20 20 45 02 20 20 21 02 00 00 "
                                "25 01 00 69 04 00 00 00 00 81 08 00 00 00 00 00 00 00 00 a5 00");
}

TEST(MessagePreview, DefinitionsWithoutAnExampleSayWhy) {
    const struct {
        const char* sml;
        const char* says;
    } cases[] = {
        {"<S1F1 P\n  <X 1 a >\n>\n", "알 수 없는 아이템 형식입니다: 'X'"},
        {"<S1F1 P\n  <U4 n a >\n>\n", "길이가 정해지지 않은 아이템(n)은 인코딩할 수 없습니다"},
        {"<S1F1 P\n  <U4 x a >\n>\n", "길이가 숫자가 아닙니다: 'x'"},
        {"<S1F1 P\n  <A 16777216 a >\n>\n", "길이 16777216바이트가 3바이트 길이의 한계"},
        {"<S1F1 P\n  <U4 4194304 a >\n>\n", "길이 16777216바이트가"},
        {"<S1F1 P\n  <L 2 a \n    <U1 1 x >\n  >\n>\n", "개수 2와(과) 하위 아이템 수 1"},
        {"<S1F1 P\n  <L n a \n    <U1 1 x >\n    <U1 1 y >\n  >\n>\n", "(2개 있음)"},
        {"<S1F1 P\n  <L n a \n  >\n>\n", "(0개 있음)"},
        {"<S1F1 P\n  <L x a \n  >\n>\n", "목록의 개수가 숫자가 아닙니다: 'x'"},
        {"<S1F1 P\n  <U1 1 a \n    <U1 1 b >\n  >\n>\n", "아이템 아래에 하위 아이템이 있습니다"},
        {"<S1F1\n>\n", "메시지 형식"},
        {"<S200F1 P\n>\n", "스트림은 0~127"},
        {"<S1F1000 P\n>\n", "기능은 0~255"},
        {"<S1F1 P\n  <U1 1 a >\n  <U1 1 b >\n>\n", "메시지에 아이템이 2개 있습니다"},
    };
    for (const auto& c : cases) {
        const Doc d(c.sml);
        const MessagePreview p = PreviewMessage(*d.doc.topLevel(0));
        ASSERT_FALSE(p.ok()) << c.sml;
        EXPECT_TRUE(p.sml.isEmpty());
        EXPECT_TRUE(p.body.isEmpty());
        EXPECT_TRUE(p.problems[0].message.contains(QString::fromUtf8(c.says)))
            << c.sml << " -> " << p.problems[0].message.toStdString();
    }
    // Every faulty node once, however often an "n" list repeats it; the
    // text names the node and its line.
    const Doc d("<S1F1 P\n  <L n a \n    <L 2 b \n      <Q 1 >\n      <U4 n >\n    >\n  >\n>\n");
    const MessagePreview p = PreviewMessage(*d.doc.topLevel(0), 50);
    ASSERT_EQ(p.problems.size(), 2u);
    EXPECT_EQ(p.problems[0].text(), "Q 1 (줄 4): 알 수 없는 아이템 형식입니다: 'Q'");
    EXPECT_EQ(p.problems[1].node->Text(), "U4 n");
    // An example that would grow beyond bounds is refused, not built.
    const Doc huge("<S1F1 P\n  <L n a \n    <L n b \n      <U1 1 x >\n    >\n  >\n>\n");
    const MessagePreview big = PreviewMessage(*huge.doc.topLevel(0), kMaxVariableCount);
    ASSERT_FALSE(big.ok());
    EXPECT_TRUE(big.problems[0].message.contains(QStringLiteral("예제가 너무 큽니다")));
}

TEST(MessagePreview, HexDumpLines) {
    QByteArray bytes;
    for (int i = 0; i < 20; ++i)
        bytes.append(static_cast<char>(0x3c + i));
    EXPECT_EQ(HexDump(bytes),
              "00000000  3c 3d 3e 3f 40 41 42 43 44 45 46 47 48 49 4a 4b  <=>?@ABCDEFGHIJK\n"
              "00000010  4c 4d 4e 4f                                      LMNO\n");
    EXPECT_EQ(HexDump(QByteArray("\x00\x7f\x80", 3)),
              "00000000  00 7f 80                                         ...\n");
    EXPECT_EQ(HexDump({}), "");
    EXPECT_EQ(HexPairs(QByteArray("\x01\xab", 2)), "01 ab");
    EXPECT_EQ(HexDumpLine(bytes, 1).mid(HexColumn(3), 2), "4f");
    EXPECT_EQ(HexDumpLine(bytes, 1).at(HexTextColumn(3)), 'O');
}

} // namespace
} // namespace pravik::test
