// Every input that used to give generated code that does not compile or
// is unsafe at run time: either the generator is mended (the code compiles
// against the stand-in driver header and its round trip is clean under
// AddressSanitizer and UBSan) or the checker reports an error naming the
// node. One table, grouped by rule. Where the checker must not be more
// cautious than the compiler, the inputs it passes are compiled with the
// mended ones and those it reports are compiled to show that they fail.
#include "GeneratedHarness.h"

#include "check/DefinitionChecker.h"
#include "document/SmlDocument.h"
#include "platform/AnsiText.h"
#include "sml/SmlReader.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace pravik::test {
namespace {

const QByteArray kAutoReplyTarget = "<S9F11 N Data Too Long\r\n  <BINARY 10 MHEAD >\r\n>\r\n";

struct Input {
    const char* what;
    QByteArray sml;        // kAutoReplyTarget follows unless the row is about it
    const char* rule;      // reported: the rule; mended: nullptr
    int line;              // reported: the node's line (0: the file as a whole)
    QByteArray extra = {}; // mended: checks of the run-time fault itself
    bool ownTarget = false;
    // reported: the generated code is compiled too, and must not compile
    // (the finding is a real fault, not a cautious guess).
    bool doesNotCompile = false;
};

QByteArray VariableListsNested(int depth) {
    QByteArray sml = "<S1F1 N deep\r\n";
    for (int i = 0; i < depth; ++i)
        sml += QByteArray(2 * i + 2, ' ') + "<L n v" + QByteArray::number(i) + "\r\n";
    sml += QByteArray(2 * depth + 2, ' ') + "<U1 1 leaf >\r\n";
    for (int i = depth - 1; i >= 0; --i)
        sml += QByteArray(2 * i + 2, ' ') + ">\r\n";
    return sml + ">\r\n";
}

// A string item the peer sends longer than the member, and an item of
// another format where a string is expected.
const QByteArray kLongString = R"(
        const char* longText = "0123456789ABCDEF and more than the member holds";
        long id;
        z.MakeSecsMsg(&id, 1, 2, 18, 5);
        WideString wide(longText);
        z.SetStringItem(id, &wide, (long)std::strlen(longText));
        z.Send(id);
        clsS2F18* m = new clsS2F18();
        std::memset((void*)m, 0x5A, sizeof *m);
        if (m->Receive(&z, z.Deliver()) < 0) bad |= 1;
        if (std::strcmp(m->TIME, "0123456789ABCDEF") != 0) bad |= 2;
        delete m;)";
const QByteArray kFailedStringRead = R"(
        long id;
        z.MakeSecsMsg(&id, 1, 2, 18, 6);
        double value = 1;
        z.SetU4Item(id, &value, 1);
        z.Send(id);
        clsS2F18* m = new clsS2F18();
        std::memset((void*)m, 0x5A, sizeof *m);
        if (m->Receive(&z, z.Deliver()) >= 0) bad |= 1;
        if (m->TIME[0] != 0) bad |= 2; // cleared, never copied from an unset buffer
        delete m;)";
// A list longer than its bound makes AutoReply answer with S9F11, whose
// MHEAD holds 4 of the 10 header bytes. hsms ends with MHEAD (stream 9 is
// the last), so a write beyond it leaves the object.
const QByteArray kShortHeader = R"(
        long id;
        z.MakeSecsMsg(&id, 1, 1, 3, 555);
        z.SetListItem(id, Max_SVIDs + 1);
        z.Send(id);
        if (hsms.AutoReply(&z, z.Deliver(true), 1, 3, 555, 1) < 0) bad |= 1;
        const TeZorv::Message& reply = z.sent().back();
        if (reply.stream != 9 || reply.function != 11) bad |= 2;
        if (reply.items.size() != 1 || reply.items[0].count != 4) bad |= 4;)";

std::vector<Input> Inputs() {
    const QByteArray korean = AnsiText::Encode(QStringLiteral("값"));
    return {
        // Unsafe on data from the wire: mended.
        {"a string longer than its member", "<S2F18 S Time\r\n  <A 16 TIME >\r\n>\r\n", nullptr, 0,
         kLongString},
        {"a string read that failed", "<S2F18 S Time\r\n  <A 16 TIME >\r\n>\r\n", nullptr, 0,
         kFailedStringRead},
        {"arrays of every numeric type",
         "<S2F35 N Arrays\r\n  <L 12 All\r\n    <BINARY 3 b1 >\r\n    <BOOL 3 b >\r\n"
         "    <I1 3 i1 >\r\n    <I2 3 i2 >\r\n    <I4 3 i4 >\r\n    <I8 3 i8 >\r\n"
         "    <U1 3 u1 >\r\n    <U2 3 u2 >\r\n    <U4 3 u4 >\r\n    <U8 3 u8 >\r\n"
         "    <F4 3 f4 >\r\n    <F8 3 f8 >\r\n  >\r\n>\r\n",
         nullptr, 0},
        {"an MHEAD shorter than the header",
         "<S1F3 N Status\r\n  <L n SVIDs\r\n    <U4 1 SVID >\r\n  >\r\n>\r\n"
         "<S9F11 N Data Too Long\r\n  <BINARY 4 MHEAD >\r\n>\r\n",
         nullptr, 0, kShortHeader, true},
        {"stream 0 between streams",
         "<S1F1 N a\r\n>\r\n<S0F5 N x\r\n  <U1 1 v >\r\n>\r\n<S2F1 N b\r\n>\r\n", nullptr, 0},
        {"stream 0 last",
         "<S1F1 N a\r\n>\r\n<S2F1 N b\r\n>\r\n" + kAutoReplyTarget + "<S0F5 N x\r\n>\r\n",
         nullptr,
         0,
         {},
         true},
        // Members named like the header's types, where they hide no type.
        {"a type name reached as L1.A", "<S1F1 P a\r\n  <L 1 B\r\n    <I8 5 A >\r\n  >\r\n>\r\n",
         nullptr, 0},
        {"a type name as the class's only member", "<S1F3 N a\r\n  <U2 3 B1 >\r\n>\r\n", nullptr,
         0},
        {"a type name beside a struct that uses the type",
         "<S1F5 N a\r\n  <L 2 B\r\n    <L 1 C\r\n      <I8 5 A >\r\n    >\r\n"
         "    <A 5 Name >\r\n  >\r\n>\r\n",
         nullptr, 0},
        {"members named like the bodies' locals below the class",
         "<S1F1 N x\r\n  <L 3 t\r\n    <U4 1 nResult >\r\n    <U4 1 X >\r\n    <U4 1 i >\r\n"
         "  >\r\n>\r\n",
         nullptr, 0},
        // Reported, by rule.
        {"a top-level list", "<L 1 t\r\n  <U1 1 a >\r\n>\r\n", "E201", 1},
        {"a top-level item", "<U1 1 a >\r\n", "E201", 1},
        {"a message nested in a list",
         "<S1F1 N x\r\n  <L 1 t\r\n    <S1F3 N y\r\n    >\r\n  >\r\n>\r\n", "E202", 3},
        {"SF", "<SF P x\r\n>\r\n", "E203", 1},
        {"S1F1000", "<S1F1000 N x\r\n>\r\n", "E204", 1},
        {"S1F2+", "<S1F2+ N x\r\n>\r\n", "E204", 1},
        {"stream above 127", "<S128F1 N x\r\n>\r\n", "E205", 1},
        {"function above 255", "<S1F256 N x\r\n>\r\n", "E205", 1},
        {"same stream and function", "<S1F1 N a\r\n>\r\n<S1F1 N b\r\n>\r\n", "E206", 3},
        {"streams not adjacent", "<S1F1 N a\r\n>\r\n<S2F1 N b\r\n>\r\n<S1F3 N c\r\n>\r\n", "E207",
         5},
        {"no S9F11", "<S1F1 N a\r\n>\r\n", "E208", 0, {}, true},
        {"MHEAD not an array", "<S9F11 N x\r\n  <BINARY 1 MHEAD >\r\n>\r\n", "E208", 1, {}, true},
        {"an unknown type code", "<S1F1 N x\r\n  <L 1 t\r\n    <X2 1 a >\r\n  >\r\n>\r\n", "E301",
         3},
        {"JIS8", "<S1F1 N x\r\n  <J8 4 code >\r\n>\r\n", "E302", 2},
        {"an n item length", "<S1F1 N x\r\n  <U4 n ids >\r\n>\r\n", "E303", 2},
        {"a negative string length", "<S1F1 N x\r\n  <A -1 name >\r\n>\r\n", "E303", 2},
        {"a count neither a number nor n", "<S1F1 N x\r\n  <L x t\r\n  >\r\n>\r\n", "E304", 2},
        {"an empty member name", "<S1F1 N x\r\n  <U4 1 >\r\n>\r\n", "E401", 2},
        {"a Korean member name", "<S1F1 N x\r\n  <U4 1 " + korean + " >\r\n>\r\n", "E402", 2},
        {"a digit-first member name", "<S1F1 N x\r\n  <U4 1 1st >\r\n>\r\n", "E402", 2},
        {"a keyword as member name", "<S1F1 N x\r\n  <U4 1 class >\r\n>\r\n", "E403", 2},
        {"a repeated member name",
         "<S1F1 N x\r\n  <L 2 t\r\n    <U4 1 a >\r\n    <U4 1 a >\r\n  >\r\n>\r\n", "E404", 4},
        {"a class member named nResult", "<S1F1 N x\r\n  <U4 1 nResult >\r\n>\r\n", "E405", 2},
        {"a class member named X", "<S1F1 N x\r\n  <U4 1 X >\r\n>\r\n", "E405", 2},
        {"a class member named lMsgId", "<S1F1 N x\r\n  <U4 1 lMsgId >\r\n>\r\n", "E405", 2},
        {"a count named i: for(int i=0; i<i; i++)",
         "<S1F1 N x\r\n  <L n i\r\n    <U1 1 e >\r\n  >\r\n>\r\n", "E405", 2},
        {"a member named like its own type",
         "<S1F1 N a\r\n  <A 5 A >\r\n>\r\n",
         "E405",
         2,
         {},
         false,
         true},
        {"a type used after a member of its name",
         "<S1F1 N a\r\n  <L 2 B\r\n    <I8 5 A >\r\n    <A 5 Name >\r\n  >\r\n>\r\n",
         "E405",
         3,
         {},
         false,
         true},
        {"a type used before a member of its name",
         "<S1F1 N a\r\n  <L 2 B\r\n    <A 5 Name >\r\n    <I8 5 A >\r\n  >\r\n>\r\n",
         "E405",
         4,
         {},
         false,
         true},
        {"a type used in a struct inside, after a member of its name",
         "<S1F1 N a\r\n  <L 2 B\r\n    <I4 1 B1 >\r\n    <L 1 C\r\n      <BINARY 2 Bits >\r\n"
         "    >\r\n  >\r\n>\r\n",
         "E405",
         3,
         {},
         false,
         true},
        {"a count variable named like a type used inside",
         "<S1F1 N a\r\n  <L 1 B\r\n    <L n F8\r\n      <F8 1 v >\r\n    >\r\n  >\r\n>\r\n",
         "E405",
         3,
         {},
         false,
         true},
        {"loop letters past z", VariableListsNested(19), "E406", 20},
    };
}

TEST(IssueInputs, MendedOrReported) {
    std::vector<CompileCase> mended, broken;
    for (const Input& in : Inputs()) {
        const QByteArray sml = in.ownTarget ? in.sml : in.sml + kAutoReplyTarget;
        SmlDocument doc;
        ParsedSml parsed = ParseSml(sml);
        doc.resetTo(std::move(parsed.root), parsed.counts.nodes);
        const std::vector<Diagnostic> found = CheckDefinitions(doc);
        if (in.rule) {
            const bool named = std::any_of(found.begin(), found.end(), [&](const Diagnostic& d) {
                return d.isError() && QByteArray(d.rule) == in.rule && DiagnosticLine(d) == in.line;
            });
            EXPECT_TRUE(named) << in.what << ": no " << in.rule << " at line " << in.line;
            if (in.doesNotCompile)
                broken.push_back({QString::fromUtf8(in.what), sml, {}});
            continue;
        }
        for (const Diagnostic& d : found)
            EXPECT_FALSE(d.isError()) << in.what << ": " << d.text().toStdString();
        mended.push_back({QString::fromUtf8(in.what), sml, in.extra});
    }
    TempDir dir;
    const std::vector<CaseOutcome> outcomes = RunCompileCases(mended, dir.path("mended"));
    for (size_t i = 0; i < mended.size(); ++i)
        EXPECT_TRUE(outcomes[i].passed) << mended[i].name.toStdString() << "\n"
                                        << outcomes[i].log.toStdString();
    // Each reported clash on its own: the compiler refuses it.
    const std::vector<CaseOutcome> refused = RunCompileCases(broken, dir.path("broken"));
    for (size_t i = 0; i < broken.size(); ++i) {
        EXPECT_FALSE(refused[i].passed) << broken[i].name.toStdString();
        EXPECT_TRUE(refused[i].log.startsWith(QStringLiteral("compile: ")))
            << broken[i].name.toStdString() << "\n"
            << refused[i].log.toStdString();
    }
}

} // namespace
} // namespace pravik::test
