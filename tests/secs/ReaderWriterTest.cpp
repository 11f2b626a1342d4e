#include "SecsTestSupport.h"

#include <QtEndian>
#include <cmath>
#include <cstring>
#include <limits>

namespace pravik::test {
namespace {

QByteArray Written(const CommonSmlMessage& m) {
    QByteArray out;
    WriteCommonSml(m, out);
    return out;
}

TEST(CommonSmlReader, ReadsTheForgivingForms) {
    // The same message written in many ways.
    const char* forms[] = {
        "S1F2\n<L [2]\n  <A [6] \"MDL-01\">\n  <A \"1.0.3\">\n>.",
        "s1f2 <l <a 'MDL-01'> <A \"1.0\" \".3\">>.",
        "// a log\nS1F2 /* header */ <L[2] <A\"MDL\" '-01'><A [5] \"1.0.3\" > > .\n",
        "S1F2\r\n<L [2]\r<A \"MDL\" 0x2D \"01\">\r\n<A 0x31 46 \"0.3\">\r\n>\r\n.",
    };
    for (const char* text : forms) {
        const CommonSmlMessage m = ReadOne(text);
        EXPECT_EQ(m.stream, 1);
        EXPECT_EQ(m.function, 2);
        EXPECT_FALSE(m.replyExpected);
        EXPECT_EQ(EncodedHex(text), "01 02 41 06 4d 44 4c 2d 30 31 41 05 31 2e 30 2e 33") << text;
    }
    // Values of every kind, type names in any case and our own codes.
    const CommonSmlMessage m =
        ReadOne("S6F11 W <L <Boolean TRUE false 1 0> <BOOL t> <BINARY 255 0x0A> <J8 'x'>"
                " <F4 +1.5e3 -0.0 inf> <F8 NaN> <I2 -32768 0x7fff> <U2 +7>>.");
    EXPECT_TRUE(m.replyExpected);
    QByteArray bytes;
    ASSERT_EQ(EncodeBody(m.body, bytes), -1);
    EXPECT_EQ(HexPairs(bytes), "01 08 25 04 01 00 01 00 25 01 01 21 02 ff 0a 45 01 78 "
                               "91 0c 44 bb 80 00 80 00 00 00 7f 80 00 00 "
                               "81 08 7f f8 00 00 00 00 00 00 69 04 80 00 7f ff a9 02 00 07");
    // Several messages, one a header only, another on the same line.
    const std::vector<CommonSmlMessage> all = ReadAll("S1F1 W.S1F2 <L>. S2F17 W\n.");
    ASSERT_EQ(all.size(), 3u);
    EXPECT_TRUE(all[0].body.isEmpty());
    EXPECT_EQ(all[1].body.items.size(), 1u);
    EXPECT_EQ(all[2].line, 1);
    EXPECT_TRUE(ReadAll("  // nothing but comments\n/* here */\n").empty());
}

TEST(CommonSmlReader, ReportsLineColumnAndWhatWasExpected) {
    const struct {
        const char* text;
        int line;
        int column;
        const char* says;
    } cases[] = {
        {"S1F1 <L <U1 1>.", 1, 15, "'<' 또는 '>'"},
        {"S1F1 <L\n  <U1 1>\n", 3, 1, "줄 1의 목록을 닫는 '>'"},
        {"S1F1 <U1 1>>.", 1, 12, "'.'"},
        {"S1F1 <U1 1>", 1, 12, "'.'"},
        {"S1F1\n <X 1>.", 2, 3, "알 수 없는 아이템 형식입니다: 'X'"},
        {"S1F1 <U1 256>.", 1, 10, "0~255"},
        {"S1F1 <I1 -129>.", 1, 10, "-128~127"},
        {"S1F1 <U4 -1>.", 1, 10, "0~4294967295"},
        {"S1F1 <F4 1e39>.", 1, 10, "32비트 부동소수점 수"},
        {"S1F1 <B 0x100>.", 1, 9, "0~255"},
        {"S1F1 <BOOLEAN X>.", 1, 15, "T, F, TRUE, FALSE"},
        {"S1F1 <U1 \"a\">.", 1, 10, "U1 값 또는 '>'"},
        {"S1F1 <A \"abc>.\nS1F2.", 1, 9, "문자열이 끝나지 않습니다"},
        {"S1F1 <A 'abc\n'>.", 1, 9, "문자열이 끝나지 않습니다"},
        {"S1F1 /* open\n\n <L>.", 1, 6, "주석이 끝나지 않습니다"},
        {"S1F1 <A [1] \"ab\">.", 1, 6, "길이는 [1]인데 값은 2개입니다"},
        {"S1F1\n<L [1]\n>.", 2, 1, "목록의 길이는 [1]인데 아이템은 0개입니다"},
        {"S1F1 <L [x]>.", 1, 10, "길이는 0~16777215"},
        {"S1F1 <L [ ]>.", 1, 11, "길이(숫자)"},
        {"S1F1 <L [2>.", 1, 11, "']'"},
        {"S1F1 <>.", 1, 7, "아이템 형식"},
        {"1F1 W.", 1, 1, "메시지 머리"},
        {"S1F1 W\nS1F2 W.", 2, 1, "'<' 또는 '.'"},
        {"S128F1.", 1, 1, "스트림은 0~127"},
        {"S1F256.", 1, 1, "기능은 0~255"},
        // Columns count characters: the Korean word is two of them.
        {"S1F1 /* \xc7\xd1\xb1\xdb */ <Q>.", 1, 16, "알 수 없는 아이템 형식입니다: 'Q'"},
    };
    for (const auto& c : cases) {
        const CommonSmlError e = ReadError(c.text);
        EXPECT_EQ(e.line, c.line) << c.text;
        EXPECT_EQ(e.column, c.column) << c.text;
        EXPECT_TRUE(e.message.contains(QString::fromUtf8(c.says)))
            << c.text << " -> " << e.message.toStdString();
        EXPECT_TRUE(
            e.text().startsWith(QStringLiteral("줄 %1, 열 %2: ").arg(c.line).arg(c.column)));
    }
}

// A million levels, read, written and read again without recursion, and
// the written text stays linear in the depth.
TEST(CommonSmlReader, MillionLevelsDeep) {
    const int depth = 1000000;
    QByteArray text = "S1F1 W\n";
    for (int i = 0; i < depth; ++i)
        text += "<L ";
    text += "<A \"leaf\">";
    text += QByteArray(depth, '>') + ".";
    const CommonSmlMessage m = ReadOne(text);
    ASSERT_EQ(m.body.items.size(), size_t(depth) + 1);
    EXPECT_EQ(m.body.subtreeEnd(0), depth + 1);
    const QByteArray written = Written(m);
    EXPECT_LT(written.size(), 150LL * depth);
    EXPECT_TRUE(ReadOne(written).body == m.body);
    QByteArray bytes;
    EXPECT_EQ(EncodeBody(m.body, bytes), -1);
    EXPECT_EQ(bytes.size(), 2LL * depth + 6);
    SecsBody back;
    EXPECT_FALSE(DecodeBody(bytes, back));
    EXPECT_TRUE(back == m.body);
    // The same nesting left open is an error at the end, not a crash.
    text.chop(depth / 2 + 1);
    EXPECT_EQ(ReadError(text).line, 2);
}

TEST(CommonSmlWriter, WritesLengthsNotesAndWrapsLongValues) {
    CommonSmlMessage m =
        ReadOne("S6F11 W <L <U4 1 2> <A \"x\" 0x22 \"y\" 0x0d> <L> <BOOLEAN T 0x02>"
                " <F4 0 1.5 -1e-07> <I8>>.");
    m.notes.clear();
    m.addNote(-1).description = "Event Report";
    m.addNote(-1).messageType = 2;
    m.addNote(0).variable = true;
    m.addNote(0).description = "Report";
    m.addNote(2).description = "a*/b";
    m.addNote(3).text = "L 0 x";
    EXPECT_EQ(Written(m), "S6F11 W /*N*/ /* Event Report */\n"
                          "<L [6] /*n*/ /* Report */\n"
                          "  <U4 [2] 1 2>\n"
                          "  <A [4] \"x\" 0x22 \"y\" 0x0d> /* a*\\/b */\n"
                          "  <L [0] /*=L 0 x*/\n"
                          "  >\n"
                          "  <BOOLEAN [2] T 0x02>\n"
                          "  <F4 [3] 0.0 1.5 -1e-07>\n"
                          "  <I8 [0]>\n"
                          ">.\n");
    // Notes read back as they were written.
    const CommonSmlMessage back = ReadOne(Written(m));
    ASSERT_EQ(back.notes.size(), m.notes.size());
    for (size_t i = 0; i < m.notes.size(); ++i) {
        EXPECT_EQ(back.notes[i].item, m.notes[i].item);
        EXPECT_EQ(back.notes[i].description, m.notes[i].description);
        EXPECT_EQ(back.notes[i].text, m.notes[i].text);
        EXPECT_EQ(back.notes[i].variable, m.notes[i].variable);
        EXPECT_EQ(back.notes[i].messageType, m.notes[i].messageType);
    }
    EXPECT_TRUE(back.body == m.body);

    // Long strings and arrays wrap; a double-byte character is never split.
    QByteArray korean;
    for (int i = 0; i < 40; ++i)
        korean += "\xc7\xd1";
    CommonSmlMessage wrapped;
    wrapped.stream = 1;
    wrapped.function = 3;
    wrapped.body.addList(2);
    wrapped.body.addItem(1, "x" + korean);
    wrapped.body.addItem(8, QByteArray(20, '\1'));
    const QByteArray text = Written(wrapped);
    EXPECT_EQ(text, "S1F3\n<L [2]\n  <A [81]\n    \"x" + korean.left(62) + "\"\n    \"" +
                        korean.mid(62) + "\"\n  >\n  <U1 [20]\n" +
                        "    1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\n    1 1 1 1\n  >\n>.\n");
    EXPECT_TRUE(ReadOne(text).body == wrapped.body);

    // A single item body and a header only.
    CommonSmlMessage item;
    item.stream = 1;
    item.function = 16;
    item.body.addItem(2, QByteArray(1, '\0'));
    EXPECT_EQ(Written(item), "S1F16\n<B [1] 0x00>.\n");
    item.addNote(0).description = "OFLACK";
    EXPECT_EQ(Written(item), "S1F16\n<B [1] 0x00> /* OFLACK */\n.\n");
    CommonSmlMessage header;
    header.stream = 1;
    header.function = 1;
    header.replyExpected = true;
    EXPECT_EQ(Written(header), "S1F1 W\n.\n");
}

TEST(CommonSmlWriter, CommentsOnlyOnTheirNodesLineAreNotes) {
    const CommonSmlMessage m = ReadOne("S1F1 W // the header\n"
                                       "// about the list, on a line of its own\n"
                                       "<L [2] /*n*/ /* list */\n"
                                       "  <U1 1> /* first */ /* second comment ignored */\n"
                                       "  <U1 2>\n"
                                       "  /* on no node's line */\n"
                                       "> /* after a list: nobody's */.");
    ASSERT_EQ(m.notes.size(), 3u);
    EXPECT_EQ(m.notes[0].item, -1);
    EXPECT_EQ(m.notes[0].description, "the header");
    EXPECT_EQ(m.notes[1].item, 0);
    EXPECT_TRUE(m.notes[1].variable);
    EXPECT_EQ(m.notes[1].description, "list");
    EXPECT_EQ(m.notes[2].item, 1);
    EXPECT_EQ(m.notes[2].description, "first");
    // A comment of someone else's without the blank is a description too;
    // line breaks in it become blanks.
    const CommonSmlMessage other = ReadOne("S1F1 <U1 1> /*two\nlines*/.");
    ASSERT_EQ(other.notes.size(), 1u);
    EXPECT_EQ(other.notes[0].description, "two lines");
    // Comments that say nothing make no note (it could not be written back).
    EXPECT_TRUE(ReadOne("S1F1 /* */ /**/ /*=*/ /*P*/ <U1 1> //\n.").notes.size() == 1);
    EXPECT_TRUE(ReadOne("S1F2 /* */ /**/ /*=*/ <U1 1> /*S*/ //\n.").notes.empty());
}

TEST(CommonSmlWriter, EscapesCommentEndsAndFloatsRoundTrip) {
    const char* texts[] = {"", "plain", "a*/b", "*/", "a*\\/b", "**//", "*\\\\/", "\\*/"};
    for (const char* t : texts) {
        const QByteArray escaped = EscapeComment(t);
        EXPECT_FALSE(escaped.contains("*/")) << t;
        EXPECT_EQ(UnescapeComment(escaped), QByteArray(t)) << t;
    }
    EXPECT_EQ(FloatText(0.0), "0.0");
    EXPECT_EQ(FloatText(0.1f), "0.1");
    EXPECT_EQ(FloatText(1e20), "1e+20");
    EXPECT_EQ(FloatText(-std::numeric_limits<double>::infinity()), "-inf");
}

TEST(CommonSmlWriter, RandomMessagesReadBackAsWritten) {
    QRandomGenerator rng(77);
    for (int round = 0; round < 300; ++round) {
        CommonSmlMessage m;
        m.stream = rng.bounded(128);
        m.function = rng.bounded(256);
        m.replyExpected = rng.bounded(2);
        m.body = RandomBody(rng, 1 + round % 40);
        // NaN payloads have no text of their own: make every NaN the
        // writer's own.
        for (const SecsItem& item : m.body.items) {
            const ItemType& t = item.itemType();
            if (t.valueKind != ItemValueKind::Float)
                continue;
            for (quint32 e = 0; e < item.count(); ++e) {
                char* p = m.body.data.data() + item.offset + qint64(e) * t.elementSize;
                if (t.elementSize == 4) {
                    quint32 raw = qFromBigEndian<quint32>(p);
                    float f;
                    std::memcpy(&f, &raw, 4);
                    if (std::isnan(f))
                        qToBigEndian<quint32>(0x7fc00000u, p);
                } else {
                    quint64 raw = qFromBigEndian<quint64>(p);
                    double d;
                    std::memcpy(&d, &raw, 8);
                    if (std::isnan(d))
                        qToBigEndian<quint64>(0x7ff8000000000000ull, p);
                }
            }
        }
        if (rng.bounded(2))
            m.addNote(0).description = "d" + QByteArray::number(round) + " */ x";
        const QByteArray text = Written(m);
        const CommonSmlMessage back = ReadOne(text);
        ASSERT_TRUE(back.body == m.body) << text.toStdString();
        EXPECT_EQ(back.stream, m.stream);
        EXPECT_EQ(back.function, m.function);
        EXPECT_EQ(back.replyExpected, m.replyExpected);
        if (!m.notes.empty()) {
            ASSERT_EQ(back.notes.size(), 1u) << text.toStdString();
            EXPECT_EQ(back.notes[0].description, m.notes[0].description);
        }
    }
}

} // namespace
} // namespace pravik::test
