#include "codegen/MessageBodies.h"

#include "CodegenTestSupport.h"
#include "codegen/GeneratedText.h"
#include "platform/PlatformError.h"

#include <gtest/gtest.h>

using namespace pravik;
using pravik::test::DocumentFrom;
using pravik::test::Lines;

namespace {

const QByteArray kSeparatorLine =
    "//---------------------------------------------------------------------------";

// The message of the worked examples for the bodies.
const QByteArray kS6F11 = "<S6F11 P Event Report Send\r\n"
                          "  <L 3 REPORT \r\n"
                          "    <U4 1 DATAID >\r\n"
                          "    <U4 1 CEID >\r\n"
                          "    <L n RPT \r\n"
                          "      <L 2 ITEM \r\n"
                          "        <U4 1 RPTID >\r\n"
                          "        <L n V \r\n"
                          "          <A 40 VALUE >\r\n"
                          "        >\r\n"
                          "      >\r\n"
                          "    >\r\n"
                          "  >\r\n"
                          ">\r\n\r\n";

struct Declaration {
    QByteArray classes;
    QByteArray preamble;
};

Declaration Declare(const QByteArray& sml) {
    auto doc = DocumentFrom(sml);
    GeneratedText classes, preamble;
    DeclareNode(*doc->topLevel(0), classes, preamble);
    return {classes.bytes(), preamble.bytes()};
}

QByteArray Receive(const QByteArray& sml) {
    auto doc = DocumentFrom(sml);
    GeneratedText out;
    WriteReceiveBody(*doc->topLevel(0), out);
    return out.bytes();
}

QByteArray Send(const QByteArray& sml) {
    auto doc = DocumentFrom(sml);
    GeneratedText out;
    WriteSendBody(*doc->topLevel(0), out);
    return out.bytes();
}

QByteArray Clear(const QByteArray& sml) {
    auto doc = DocumentFrom(sml);
    GeneratedText out;
    WriteClearBody(*doc->topLevel(0), out);
    return out.bytes();
}

// The member lines of a one-child message's declaration.
QByteArray MemberOf(const QByteArray& itemText) {
    const QByteArray classes = Declare("<S1F1 P x\r\n  <" + itemText + " >\r\n>\r\n").classes;
    return pravik::test::SplitLines(classes).at(3);
}

} // namespace

TEST(Declaration, WorkedExampleWithNestedVariableLists) {
    const QByteArray sml = "<S6F11 P Event Report Send\r\n"
                           "  <L 3 Report \r\n"
                           "    <U4 1 DATAID >\r\n"
                           "    <U4 1 CEID >\r\n"
                           "    <L n RPT \r\n"
                           "      <L 2 RptBody \r\n"
                           "        <U4 1 RPTID >\r\n"
                           "        <A 20 Value >\r\n"
                           "      >\r\n"
                           "    >\r\n"
                           "  >\r\n"
                           ">\r\n";
    const Declaration d = Declare(sml);
    EXPECT_EQ(d.classes,
              Lines({"class clsS6F11 //S6F11 P Event Report Send",
                     "{",
                     "    public:",
                     "    struct //L 3 Report",
                     "    {",
                     "        U4 DATAID;",
                     "        U4 CEID;",
                     "        short RPT;",
                     "",
                     "        struct //L n RPT",
                     "        {",
                     "            struct //L 2 RptBody",
                     "            {",
                     "                U4 RPTID;",
                     "                A  Value[21];",
                     "            }L1;",
                     "        }L1[Max_RPT]; //Need define",
                     "    }L1;",
                     "    void Clear(short Mode=0);",
                     "    short Receive(TeZorv *X, long lMsgId);",
                     "    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);",
                     "};",
                     kSeparatorLine.constData()}));
    EXPECT_EQ(d.preamble, Lines({"const short Max_RPT = 1; //Need Edit"}));
}

TEST(Declaration, MemberShapes) {
    EXPECT_EQ(MemberOf("A 6 MDLN"), "    A  MDLN[7];");
    EXPECT_EQ(MemberOf("A 1 C"), "    A  C[2];");
    EXPECT_EQ(MemberOf("A n MDLN"), "    A  MDLN[/*n*/]; //Need define");
    EXPECT_EQ(MemberOf("A 0 Text"), "    A  Text[/*0*/]; //Need define");
    EXPECT_EQ(MemberOf("BOOL 1 Ack"), "    B  Ack;");
    EXPECT_EQ(MemberOf("BINARY 3 Bits"), "    B1 Bits[3];");
    EXPECT_EQ(MemberOf("J8 5 Code"), "    J8 Code[5];");
    EXPECT_EQ(MemberOf("U1 n Ids"), "    U1 Ids[/*n*/]; //Need define");
    EXPECT_EQ(MemberOf("U4 1 Data Id"), "    U4 DataId;");
    EXPECT_EQ(MemberOf("U4 5 DataId"), "    U4 DataId[5];");
    EXPECT_EQ(MemberOf("U4 1 \"Model Name\""), "    U4 Model_Name;");
    // Leading zeros: "01" is a single value as everywhere else, and "010"
    // is written as ten, never as an octal literal.
    EXPECT_EQ(MemberOf("U4 01 V"), "    U4 V;");
    EXPECT_EQ(MemberOf("U4 010 V"), "    U4 V[10];");
    EXPECT_EQ(MemberOf("A 010 S"), "    A  S[11];");
}

TEST(Declaration, ListOrdinalsCountListsOnlyAndRestartUnderEachList) {
    const Declaration d =
        Declare("<S1F3 P x\r\n  <L 4 Top \r\n    <U1 1 a >\r\n    <L 0 First \r\n    >\r\n"
                "    <U1 1 b >\r\n    <L x Odd \r\n      <L 1 Inner \r\n        <U1 1 c >\r\n"
                "      >\r\n    >\r\n  >\r\n>\r\n");
    EXPECT_EQ(d.classes,
              Lines({"class clsS1F3 //S1F3 P x", "{", "    public:", "    struct //L 4 Top",
                     "    {", "        U1 a;", "        struct //L 0 First", "        {",
                     "        }L1;", "        U1 b;", "        struct //L x Odd", "        {",
                     "            struct //L 1 Inner", "            {", "                U1 c;",
                     "            }L1;",
                     // A count that is neither a number nor "n" is
                     // one struct, as the bodies address it.
                     "        }L2;", "    }L1;", "    void Clear(short Mode=0);",
                     "    short Receive(TeZorv *X, long lMsgId);",
                     "    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);",
                     "};", kSeparatorLine.constData()}));
    EXPECT_TRUE(d.preamble.isEmpty());
}

TEST(Declaration, MessageWithoutChildrenAndLeadingZeros) {
    EXPECT_EQ(Declare("<S01F02 S x\r\n>\r\n").classes,
              Lines({"class clsS1F2 //S01F02 S x", "{", "    public:",
                     "    void Clear(short Mode=0);", "    short Receive(TeZorv *X, long lMsgId);",
                     "    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);",
                     "};", kSeparatorLine.constData()}));
}

TEST(ClearBody, WorkedExampleAndFirstChildForms) {
    EXPECT_EQ(Clear(kS6F11),
              Lines({"void clsS6F11::Clear(short Mode)", "{", "    memset(&L1, 0, sizeof(L1));",
                     "}", kSeparatorLine.constData()}));
    auto body = [](const char* child) {
        return pravik::test::SplitLines(
                   Clear(QByteArray("<S1F1 P x\r\n  <") + child + " >\r\n>\r\n"))
            .at(2);
    };
    EXPECT_EQ(body("L n Rows"), "    memset(L1, 0, sizeof(L1));");
    EXPECT_EQ(body("U4 1 DataId"), "    memset(&DataId, 0, sizeof(DataId));");
    EXPECT_EQ(body("U4 5 Values"), "    memset(Values, 0, sizeof(Values));");
    EXPECT_EQ(body("A 6 MDLN"), "    memset(MDLN, 0, sizeof(MDLN));");
    EXPECT_EQ(body("A 1 C"), "    memset(&C, 0, sizeof(C));");
    EXPECT_EQ(body("U4 1 \"Model Name\""), "    memset(&Model_Name, 0, sizeof(Model_Name));");
    EXPECT_EQ(body("U4 01 V"), "    memset(&V, 0, sizeof(V));");
    EXPECT_EQ(Clear("<S2F0 P x\r\n>\r\n"),
              Lines({"void clsS2F0::Clear(short Mode)", "{", "}", kSeparatorLine.constData()}));
    // Not a message: nothing.
    EXPECT_EQ(Clear("<L 1 x\r\n  <U1 1 a >\r\n>\r\n"), "");
}

TEST(ReceiveBody, WorkedExample) {
    EXPECT_EQ(Receive(kS6F11),
              Lines({"short clsS6F11::Receive(TeZorv *X, long lMsgId)",
                     "{",
                     "    short nResult=0;",
                     "",
                     "    Clear();",
                     "",
                     "    GetL (X, lMsgId, &nResult, NULL);",
                     "        GetU4(X, lMsgId, &nResult, &L1.DATAID);",
                     "        GetU4(X, lMsgId, &nResult, &L1.CEID);",
                     "        GetL (X, lMsgId, &nResult, &L1.RPT, Max_RPT);",
                     "        for(int i=0; i<L1.RPT; i++)",
                     "        {",
                     "            if(nResult<0) break;",
                     "            GetL (X, lMsgId, &nResult, NULL);",
                     "                GetU4(X, lMsgId, &nResult, &L1.L1[i].L1.RPTID);",
                     "                GetL (X, lMsgId, &nResult, &L1.L1[i].L1.V, Max_V);",
                     "                for(int j=0; j<L1.L1[i].L1.V; j++)",
                     "                {",
                     "                    if(nResult<0) break;",
                     "                    GetA (X, lMsgId, &nResult,  L1.L1[i].L1.L1[j].VALUE, "
                     "sizeof(L1.L1[i].L1.L1[j].VALUE));",
                     "                }",
                     "        }",
                     "",
                     "    X->CloseSecsMsg(lMsgId);",
                     "    return nResult;",
                     "}",
                     kSeparatorLine.constData()}));
}

TEST(SendBody, WorkedExample) {
    EXPECT_EQ(Send(kS6F11),
              Lines({"short clsS6F11::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)",
                     "{",
                     "    short nResult=0;",
                     "    long lMsgId;",
                     "",
                     "    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 6, 11, lSysByte);",
                     "",
                     "    SetL (X, lMsgId, &nResult, 3);",
                     "        SetU4(X, lMsgId, &nResult, &L1.DATAID, sizeof(L1.DATAID));",
                     "        SetU4(X, lMsgId, &nResult, &L1.CEID, sizeof(L1.CEID));",
                     "        SetL (X, lMsgId, &nResult, L1.RPT, Max_RPT);",
                     "        for(int i=0; i<L1.RPT; i++)",
                     "        {",
                     "            if(nResult<0) break;",
                     "            SetL (X, lMsgId, &nResult, 2);",
                     "                SetU4(X, lMsgId, &nResult, &L1.L1[i].L1.RPTID, "
                     "sizeof(L1.L1[i].L1.RPTID));",
                     "                SetL (X, lMsgId, &nResult, L1.L1[i].L1.V, Max_V);",
                     "                for(int j=0; j<L1.L1[i].L1.V; j++)",
                     "                {",
                     "                    if(nResult<0) break;",
                     "                    SetA (X, lMsgId, &nResult,  L1.L1[i].L1.L1[j].VALUE, "
                     "sizeof(L1.L1[i].L1.L1[j].VALUE)-1);",
                     "                }",
                     "        }",
                     "",
                     "    if(nResult>=0) nResult = X->Send(lMsgId);",
                     "    return nResult;",
                     "}",
                     kSeparatorLine.constData()}));
}

TEST(Bodies, LoopLettersFollowTheVariableListsAbove) {
    // Two variable lists side by side both use i; below the second the
    // letter counts both of them (k), below the first only one (j).
    const QByteArray sml =
        "<S2F3 P x\r\n  <L 2 Top \r\n    <L n A \r\n      <L n B \r\n        <U1 1 b >\r\n"
        "      >\r\n    >\r\n    <L n C \r\n      <L n D \r\n        <U1 1 d >\r\n      >\r\n"
        "    >\r\n  >\r\n>\r\n";
    const QList<QByteArray> r = pravik::test::SplitLines(Receive(sml));
    EXPECT_TRUE(r.contains("        for(int i=0; i<L1.A; i++)"));
    EXPECT_TRUE(r.contains("            for(int j=0; j<L1.L1[i].B; j++)"));
    EXPECT_TRUE(r.contains("                GetU1(X, lMsgId, &nResult, &L1.L1[i].L1[j].b);"));
    EXPECT_TRUE(r.contains("        for(int i=0; i<L1.C; i++)"));
    EXPECT_TRUE(r.contains("            GetL (X, lMsgId, &nResult, &L1.L2[i].D, Max_D);"));
    EXPECT_TRUE(r.contains("            for(int k=0; k<L1.L2[i].D; k++)"));
    EXPECT_TRUE(r.contains("                GetU1(X, lMsgId, &nResult, &L1.L2[i].L1[k].d);"));
}

TEST(Bodies, ItemsBetweenListsDoNotCount) {
    const QByteArray sml =
        "<S1F1 P x\r\n  <L 3 T \r\n    <U1 1 A1 >\r\n    <L 2 X \r\n      <U1 1 x >\r\n    >\r\n"
        "    <L 2 Y \r\n      <U1 3 y >\r\n    >\r\n  >\r\n>\r\n";
    const QList<QByteArray> s = pravik::test::SplitLines(Send(sml));
    EXPECT_TRUE(s.contains("            SetU1(X, lMsgId, &nResult, &L1.L1.x, sizeof(L1.L1.x));"));
    EXPECT_TRUE(s.contains("            SetU1(X, lMsgId, &nResult,  L1.L2.y, sizeof(L1.L2.y));"));
    const QList<QByteArray> r = pravik::test::SplitLines(Receive(sml));
    EXPECT_TRUE(r.contains("            GetU1(X, lMsgId, &nResult, L1.L2.y, "
                           "sizeof(L1.L2.y)/sizeof(L1.L2.y[0]));")); // U1 arrays: one blank
}

TEST(Bodies, OpeningsPerTypeAndLength) {
    auto receive = [](const char* item) {
        const QList<QByteArray> l = pravik::test::SplitLines(
            Receive(QByteArray("<S1F1 P x\r\n  <") + item + " >\r\n>\r\n"));
        return l.size() == 12 ? l.at(6) : QByteArray("<none>");
    };
    auto send = [](const char* item) {
        const QList<QByteArray> l =
            pravik::test::SplitLines(Send(QByteArray("<S1F1 P x\r\n  <") + item + " >\r\n>\r\n"));
        return l.size() == 13 ? l.at(7) : QByteArray("<none>");
    };
    EXPECT_EQ(receive("BOOL 1 f"), "    GetB (X, lMsgId, &nResult, &f);");
    // Arrays pass their element count, strings their buffer's size.
    EXPECT_EQ(receive("BOOL 2 f"), "    GetB(X, lMsgId, &nResult,  f, sizeof(f)/sizeof(f[0]));");
    EXPECT_EQ(receive("BINARY 1 f"), "    GetB1(X, lMsgId, &nResult, &f);");
    EXPECT_EQ(receive("F8 0 f"), "    GetF8(X, lMsgId, &nResult,  f, sizeof(f)/sizeof(f[0]));");
    EXPECT_EQ(receive("J8 1 c"), "    GetJ8(X, lMsgId, &nResult,  c);");
    EXPECT_EQ(receive("A 1 c"), "    GetA (X, lMsgId, &nResult,  c, sizeof(c));");
    EXPECT_EQ(receive("A n c"), "    GetA (X, lMsgId, &nResult,  c, sizeof(c));");
    EXPECT_EQ(receive("I8 01 v"), "    GetI8(X, lMsgId, &nResult, &v);");
    EXPECT_EQ(send("BOOL 1 f"), "    SetB(X, lMsgId, &nResult, &f, sizeof(f));");
    EXPECT_EQ(send("I2 n f"), "    SetI2(X, lMsgId, &nResult,  f, sizeof(f));");
    EXPECT_EQ(send("A 6 MDLN"), "    SetA (X, lMsgId, &nResult,  MDLN, sizeof(MDLN)-1);");
    EXPECT_EQ(send("J8 3 c"), "    Not supported.");
    // Unknown codes write nothing: the body is just head and tail.
    EXPECT_EQ(pravik::test::SplitLines(Receive("<S1F1 P x\r\n  <X2 1 q >\r\n>\r\n")).size(), 11);
    EXPECT_EQ(pravik::test::SplitLines(Send("<S1F1 P x\r\n  <u4 1 q >\r\n>\r\n")).size(), 12);
}

TEST(Bodies, ListCountsWithoutLoop) {
    auto send = [](const char* list) {
        return pravik::test::SplitLines(
                   Send(QByteArray("<S1F1 P x\r\n  <") + list + " \r\n  >\r\n>\r\n"))
            .at(7);
    };
    EXPECT_EQ(send("L x Odd"), "    SetL (X, lMsgId, &nResult, x);");
    EXPECT_EQ(send("L N Odd"), "    SetL (X, lMsgId, &nResult, N);");
    EXPECT_EQ(send("L 010 Ten"), "    SetL (X, lMsgId, &nResult, 10);");
    EXPECT_EQ(send("L"), "    SetL (X, lMsgId, &nResult, );");
    const QList<QByteArray> r =
        pravik::test::SplitLines(Receive("<S1F1 P x\r\n  <L N Odd \r\n    <U1 1 a >\r\n"
                                         "  >\r\n>\r\n"));
    EXPECT_EQ(r.at(6), "    GetL (X, lMsgId, &nResult, NULL);");
    EXPECT_EQ(r.at(7), "        GetU1(X, lMsgId, &nResult, &L1.a);");
}

TEST(Bodies, MessageWithoutChildren) {
    EXPECT_EQ(Receive("<S1F1 P x\r\n>\r\n"),
              Lines({"short clsS1F1::Receive(TeZorv *X, long lMsgId)", "{", "    short nResult=0;",
                     "", "    Clear();", "", "", "    X->CloseSecsMsg(lMsgId);",
                     "    return nResult;", "}", kSeparatorLine.constData()}));
    EXPECT_EQ(Send("<S01F02 P x\r\n>\r\n"),
              Lines({"short clsS1F2::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)", "{",
                     "    short nResult=0;", "    long lMsgId;", "",
                     "    nResult = X->MakeSecsMsg(&lMsgId, nDevId, 1, 2, lSysByte);", "", "",
                     "    if(nResult>=0) nResult = X->Send(lMsgId);", "    return nResult;", "}",
                     kSeparatorLine.constData()}));
}

TEST(Bodies, DeepDocumentsHaveNoLevelLimit) {
    // 40 nested variable lists: the counters grow past any fixed table and
    // the letters run on by character code ('i' + 17 is 'z', then '{').
    QByteArray sml = "<S1F1 P x\r\n";
    const int depth = 40;
    for (int d = 1; d <= depth; ++d)
        sml += QByteArray(2 * d, ' ') + "<L n V" + QByteArray::number(d) + " \r\n";
    sml += QByteArray(2 * depth + 2, ' ') + "<U1 1 leaf >\r\n";
    for (int d = depth; d >= 1; --d)
        sml += QByteArray(2 * d, ' ') + ">\r\n";
    sml += ">\r\n";
    const QList<QByteArray> r = pravik::test::SplitLines(Receive(sml));
    EXPECT_TRUE(
        r.contains(QByteArray(4 * 18, ' ') + "for(int z=0; z<" +
                   "L1[i].L1[j].L1[k].L1[l].L1[m].L1[n].L1[o].L1[p].L1[q].L1[r].L1[s].L1[t].L1[u]."
                   "L1[v].L1[w].L1[x].L1[y].V18; z++)"));
    EXPECT_TRUE(r.contains(QByteArray(4 * 19, ' ') +
                           "GetL (X, lMsgId, &nResult, &L1[i].L1[j].L1[k].L1[l].L1[m]."
                           "L1[n].L1[o].L1[p].L1[q].L1[r].L1[s].L1[t].L1[u].L1[v].L1[w]."
                           "L1[x].L1[y].L1[z].V19, Max_V19);"));
    EXPECT_TRUE(r.contains(QByteArray(4 * 19, ' ') +
                           "for(int {=0; {<L1[i].L1[j].L1[k].L1[l].L1[m].L1[n].L1[o]."
                           "L1[p].L1[q].L1[r].L1[s].L1[t].L1[u].L1[v].L1[w].L1[x].L1[y]."
                           "L1[z].V19; {++)"));
    const Declaration d = Declare(sml);
    EXPECT_TRUE(d.classes.contains(QByteArray(4 * 40, ' ') + "}L1[Max_V40]; //Need define"));
    EXPECT_TRUE(d.preamble.startsWith("const short Max_V40 = 1; //Need Edit\r\n"));
}

TEST(Bodies, VeryDeepNestingStopsAtTheSizeLimitInsteadOfExhaustingMemory) {
    // A chain 20000 levels deep asks for a text of quadratic size.
    DetachedSubtree top = DetachedSubtree::createRoot();
    SmlNode* at = top.appendChild(top.get(), "S1F1 P deep", NodeKind::Message);
    for (int i = 0; i < 20000; ++i)
        at = top.appendChild(at, "L n V", NodeKind::List);
    SmlDocument doc;
    doc.resetTo(std::move(top), 20001);
    GeneratedText small(QStringLiteral("/x/deep.cpp"), 1 << 20);
    try {
        WriteReceiveBody(*doc.topLevel(0), small);
        FAIL() << "expected the size limit";
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Cannot create file /x/deep.cpp"));
    }
}
