// Whether a received body conforms to its definition, by the rule of the
// generated Receive code, and which definition node the verdict names.

#include "HsmsTestSupport.h"

#include "document/DocumentEditor.h"
#include "document/DocumentOperations.h"
#include "hsms/Conformance.h"
#include "hsms/DefinitionIndex.h"
#include "hsms/ReceivedCheck.h"
#include "secs/SecsCodec.h"

#include <QElapsedTimer>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace pravik::test {
namespace {

struct Case {
    const char* name;
    const char* definition; // the body of a message S1F1 in SML
    const char* received;   // a common-SML message S1F1
    const char* differs;    // the differing node's text, or nullptr when it conforms
    const char* reason;     // a part of the reason
};

// One case per part of the rule, and each part's both sides.
const Case kCases[] = {
    // lists with "n": any count, each element read by the one child
    {"n list empty", "<L n X\n<U4 1 V>\n>", "S1F1 <L>.", nullptr, nullptr},
    {"n list many", "<L n X\n<U4 1 V>\n>", "S1F1 <L <U4 1> <U4 2> <U4 3>>.", nullptr, nullptr},
    {"n list element wrong", "<L n X\n<U4 1 V>\n>", "S1F1 <L <U4 1> <U2 2>>.", "U4 1 V", "U2"},
    {"n list with two children", "<L n X\n<U4 1 V>\n<U4 1 W>\n>", "S1F1 <L <U4 1> <U4 2>>.",
     "L n X", "빈 목록"},
    {"n list with two children, empty", "<L n X\n<U4 1 V>\n<U4 1 W>\n>", "S1F1 <L>.", nullptr,
     nullptr},
    // fixed lists: exactly the children read
    {"fixed list", "<L 2 X\n<U1 1 A>\n<A 3 B>\n>", "S1F1 <L <U1 1> <A \"ab\">>.", nullptr, nullptr},
    {"fixed list short", "<L 2 X\n<U1 1 A>\n<A 3 B>\n>", "S1F1 <L <U1 1>>.", "L 2 X", "1개"},
    {"fixed list long", "<L 2 X\n<U1 1 A>\n<A 3 B>\n>", "S1F1 <L <U1 1> <A> <A>>.", "L 2 X", "3개"},
    {"count text is not what is read", "<L 5 X\n<U1 1 A>\n>", "S1F1 <L <U1 1>>.", nullptr, nullptr},
    {"unknown type reads nothing", "<L 2 X\n<U1 1 A>\n<X2 1 Q>\n>", "S1F1 <L <U1 1>>.", nullptr,
     nullptr},
    {"list where an item is", "<L 1 X\n<U1 1 A>\n>", "S1F1 <L <L>>.", "U1 1 A", "L 아이템"},
    {"item where a list is", "<L 1 X\n<L 0 Y\n>\n>", "S1F1 <L <U1 1>>.", "L 0 Y", "U1"},
    // A and J8: at most the declared length
    {"A shorter", "<A 5 S>", "S1F1 <A \"abc\">.", nullptr, nullptr},
    {"A exact", "<A 5 S>", "S1F1 <A \"abcde\">.", nullptr, nullptr},
    {"A longer", "<A 5 S>", "S1F1 <A \"abcdef\">.", "A 5 S", "6자"},
    {"A n", "<A n S>", "S1F1 <A \"abcdefghijkl\">.", nullptr, nullptr},
    {"A 0 is sized by the user", "<A 0 S>", "S1F1 <A \"abcdefghijkl\">.", nullptr, nullptr},
    {"J8 longer", "<J8 2 S>", "S1F1 <J \"abc\">.", "J8 2 S", "3자"},
    {"J8 is not A", "<J8 2 S>", "S1F1 <A \"ab\">.", "J8 2 S", "A"},
    // numeric arrays exactly as declared
    {"U4 single", "<U4 1 V>", "S1F1 <U4 7>.", nullptr, nullptr},
    {"U4 single gets two", "<U4 1 V>", "S1F1 <U4 7 8>.", "U4 1 V", "2개"},
    {"U4 single gets none", "<U4 1 V>", "S1F1 <U4>.", "U4 1 V", "0개"},
    {"01 reads as one", "<U4 01 V>", "S1F1 <U4 7>.", nullptr, nullptr},
    {"I2 array", "<I2 3 V>", "S1F1 <I2 1 2 3>.", nullptr, nullptr},
    {"I2 array short", "<I2 3 V>", "S1F1 <I2 1 2>.", "I2 3 V", "2개"},
    {"F8 n", "<F8 n V>", "S1F1 <F8 1.5 2 3 4>.", nullptr, nullptr},
    {"BOOL", "<BOOL 2 V>", "S1F1 <BOOLEAN T F>.", nullptr, nullptr},
    {"BINARY length", "<BINARY 1 V>", "S1F1 <B 0x01 0x02>.", "BINARY 1 V", "2개"},
    // formats
    {"U4 is not U2", "<U4 1 V>", "S1F1 <U2 7>.", "U4 1 V", "U2"},
    {"I8 is not U8", "<I8 1 V>", "S1F1 <U8 7>.", "I8 1 V", "U8"},
    {"F4 is not F8", "<F4 1 V>", "S1F1 <F8 7>.", "F4 1 V", "F8"},
    // the body as a whole
    {"no body defined, none came", "", "S1F1.", nullptr, nullptr},
    {"no body defined, one came", "", "S1F1 <U1 1>.", "S1F1 P M", "없는 본문"},
    {"body defined, none came", "<U1 1 V>", "S1F1.", "S1F1 P M", "본문이 없습니다"},
    {"two top items cannot be one body", "<U1 1 V>\n<U1 1 W>", "S1F1 <U1 1>.", "S1F1 P M", "2개"},
};

// The definition lines indented as the reader wants them: a line that opens
// without closing nests the lines up to its ">".
QByteArray Indented(const QByteArray& lines) {
    QByteArray out;
    int level = 1;
    for (const QByteArray& line : lines.split('\n')) {
        if (line.isEmpty())
            continue;
        if (line.startsWith('>'))
            --level;
        out += QByteArray(2 * level, ' ') + line + '\n';
        if (line.startsWith('<') && !line.endsWith('>'))
            ++level;
    }
    return out;
}

class ConformanceRule : public ::testing::TestWithParam<Case> {};

TEST_P(ConformanceRule, NamesTheFirstDifferingNode) {
    const Case& c = GetParam();
    auto doc = Definitions("<S1F1 P M\n" + Indented(c.definition) + ">\n");
    const CommonSmlMessage got = Sml(c.received);
    const ConformanceResult r = CheckConformance(*doc->topLevel(0), got.body);
    if (!c.differs) {
        EXPECT_TRUE(r.conforms) << r.reason.toStdString();
        return;
    }
    ASSERT_FALSE(r.conforms);
    ASSERT_NE(r.node, nullptr);
    EXPECT_EQ(r.node->Text().trimmed(), QByteArray(c.differs));
    EXPECT_TRUE(r.reason.contains(QString::fromUtf8(c.reason))) << r.reason.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, ConformanceRule, ::testing::ValuesIn(kCases), [](const auto& info) {
    std::string n = info.param.name;
    for (char& ch : n)
        if (!isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return n;
});

// The first difference in pre-order, deep in nested "n" lists, with the
// path in the checker's form and the rows from the top level down.
TEST(Verdict, NamesTheNodeByPathAndRows) {
    auto doc = Definitions(kLinkSml);
    DefinitionIndex index(doc.get());
    const SmlNode* def = index.find(6, 11);
    ASSERT_NE(def, nullptr);
    const CommonSmlMessage got = Sml(R"(S6F11 W
<L <U4 1> <U4 2>
  <L <L <U4 3> <L <A "x"> <A "y">>>
     <L <U4 4> <L <A "z"> <U4 9>>>>>.)");
    const Verdict v = VerdictFor(*def, got.body);
    EXPECT_EQ(v.kind, Verdict::Kind::Differs);
    EXPECT_EQ(v.s9Function(), 7);
    // The checker's form: the message, "…" and the last four levels.
    EXPECT_EQ(v.path.toStdString(), "S6F11 P Event Report Send > … > L n RPT > L 2 RptBody > L n "
                                    "V > A 40 VALUE");
    const std::vector<int> rows{6, 0, 2, 0, 1, 0};
    EXPECT_EQ(v.rows, rows);
    // The item: L, U4, U4, L, L, U4, L, A, A, L, U4, L, A, U4 -> the last.
    EXPECT_EQ(v.item, 13);
    EXPECT_TRUE(v.text().startsWith(QStringLiteral("S9F7 ")));
}

// The definition is looked up when the message comes: an edit of the
// document between two messages changes the verdict.
TEST(DefinitionIndex, FollowsTheDocumentAsItChanges) {
    auto doc = Definitions(kLinkSml);
    DefinitionIndex index(doc.get());
    TrafficRecord r;
    r.stream = 1;
    r.function = 3;
    QByteArray bytes;
    EncodeBody(Sml("S1F3 <L <U4 1>>.").body, bytes);
    CheckReceived(&index, bytes, r);
    EXPECT_EQ(r.verdict.kind, Verdict::Kind::Conforms);

    // U4 -> U2 in the definition.
    SmlNode* svid = doc->topLevel(2)->child(0)->child(0);
    doc->perform(QStringLiteral("edit"), [&](DocumentEditor& e) { e.setText(svid, "U2 1 SVID"); });
    TrafficRecord again = r;
    again.verdict = Verdict();
    CheckReceived(&index, bytes, again);
    EXPECT_EQ(again.verdict.kind, Verdict::Kind::Differs);

    // The message removed: the stream still has others (S9F5); all of
    // stream 1 removed: S9F3.
    doc->perform(QStringLiteral("delete"),
                 [&](DocumentEditor& e) { e.removeNode(doc->topLevel(2)); });
    TrafficRecord gone = r;
    gone.verdict = Verdict();
    CheckReceived(&index, bytes, gone);
    EXPECT_EQ(gone.verdict.kind, Verdict::Kind::UnknownFunction);
    doc->perform(QStringLiteral("delete"), [&](DocumentEditor& e) {
        while (doc->topLevelCount() > 0 && doc->topLevel(0)->Text().startsWith("S1F"))
            e.removeNode(doc->topLevel(0));
    });
    TrafficRecord noStream = r;
    noStream.verdict = Verdict();
    CheckReceived(&index, bytes, noStream);
    EXPECT_EQ(noStream.verdict.kind, Verdict::Kind::UnknownStream);

    // Undo steps back through the same states, and the check follows each.
    doc->undoStack()->undo(); // the stream's messages are back
    doc->undoStack()->undo(); // S1F3 is back (with U2)
    TrafficRecord undone = r;
    undone.verdict = Verdict();
    CheckReceived(&index, bytes, undone);
    EXPECT_EQ(undone.verdict.kind, Verdict::Kind::Differs);
    doc->undoStack()->undo(); // U4 again
    undone.verdict = Verdict();
    CheckReceived(&index, bytes, undone);
    EXPECT_EQ(undone.verdict.kind, Verdict::Kind::Conforms);
}

TEST(CheckReceived, CallsBytesThatAreNotSecsIIIllegal) {
    auto doc = Definitions(kLinkSml);
    DefinitionIndex index(doc.get());
    for (const QByteArray& bad :
         {QByteArray("\x01"),
          QByteArray("\x41\x05"
                     "ab",
                     4),
          QByteArray("\xfd\x01\x00", 3), QByteArray("\x01\x00\x01\x00", 4)}) {
        TrafficRecord r;
        r.stream = 1;
        r.function = 1;
        CheckReceived(&index, bad, r);
        EXPECT_EQ(r.verdict.kind, Verdict::Kind::IllegalData) << bad.toHex().constData();
        EXPECT_EQ(r.verdict.s9Function(), 7);
        EXPECT_FALSE(r.decoded);
        EXPECT_EQ(r.raw, bad);
    }
}

// A long "n" list is checked in one pass (no quadratic work, no
// recursion): 10^5 elements under nested lists.
TEST(Conformance, ChecksALongVariableListInOnePass) {
    auto doc = Definitions(kLinkSml);
    SecsBody body;
    body.addList(3);
    body.addItem(10, QByteArray(4, '\0'));
    body.addItem(10, QByteArray(4, '\0'));
    const int n = 100000;
    body.addList(n);
    for (int i = 0; i < n; ++i) {
        body.addList(2);
        body.addItem(10, QByteArray(4, '\0'));
        body.addList(0);
    }
    EXPECT_TRUE(CheckConformance(*doc->topLevel(6), body).conforms);
    body.items.back().length = 1; // the last V list claims an element it lacks
    body.addItem(1, "too long for 40? no");
    EXPECT_TRUE(CheckConformance(*doc->topLevel(6), body).conforms);
    body.items.back().type = 10;
    const ConformanceResult r = CheckConformance(*doc->topLevel(6), body);
    EXPECT_FALSE(r.conforms);
    EXPECT_EQ(r.item, static_cast<qint64>(body.items.size()) - 1);
}

} // namespace
} // namespace pravik::test
