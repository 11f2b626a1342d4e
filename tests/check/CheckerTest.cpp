#include "check/DefinitionChecker.h"
#include "document/SmlDocument.h"
#include "platform/AnsiText.h"
#include "sml/SmlReader.h"
#include "sml/StructureCheck.h"

#include <QFile>
#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

using namespace pravik;

namespace {

std::unique_ptr<SmlDocument> DocumentFrom(const QByteArray& sml) {
    auto doc = std::make_unique<SmlDocument>();
    ParsedSml parsed = ParseSml(sml);
    doc->resetTo(std::move(parsed.root), parsed.counts.nodes);
    return doc;
}

// The S9F11 that AutoReply needs, added behind the row's own lines so that
// their line numbers stay as written.
const QByteArray kAutoReplyTarget = "<S9F11 N Data Too Long\n  <BINARY 10 MHEAD >\n>\n";

// "E206@3": rule and source line (0 for the document) of every finding,
// in the checker's order.
QStringList Findings(const QByteArray& sml) {
    auto doc = DocumentFrom(sml);
    QStringList found;
    for (const Diagnostic& d : CheckDefinitions(*doc))
        found << QStringLiteral("%1@%2").arg(QLatin1String(d.rule)).arg(DiagnosticLine(d));
    return found;
}

QByteArray Korean(const char* utf8) {
    return AnsiText::Encode(QString::fromUtf8(utf8));
}

QByteArray NestedVariableLists(int depth) {
    QByteArray sml = "<S1F1 N deep\n";
    for (int i = 0; i < depth; ++i)
        sml += " <L n v" + QByteArray::number(i) + "\n"; // indented: a child
    sml += " <U1 1 leaf >\n";
    for (int i = 0; i <= depth; ++i)
        sml += ">\n";
    return sml;
}

struct Row {
    const char* what;
    QByteArray sml; // kAutoReplyTarget is added unless withoutTarget
    QStringList expected;
    bool withoutTarget = false;
};

// One row per rule and case, grouped by rule; together they name every rule.
std::vector<Row> Rows() {
    const QByteArray korean = Korean("한글");
    return {
        // Structure, as the structure check judges it.
        {"message with two children", "<S1F1 N x\n  <U1 1 a >\n  <U1 1 b >\n>\n", {"E101@1"}},
        {"count differs", "<S1F1 N x\n  <L 2 t\n    <U1 1 a >\n  >\n>\n", {"E102@2"}},
        {"n list with two children",
         "<S1F1 N x\n  <L n t\n    <U1 1 a >\n    <U1 1 b >\n  >\n>\n",
         {"E102@2"}},
        {"item with a child", "<S1F1 N x\n  <U1 1 a\n    <U1 1 b >\n  >\n>\n", {"E103@2"}},
        // Messages.
        {"list at the top level", "<L 1 t\n  <U1 1 a >\n>\n", {"E201@1"}},
        {"item at the top level", "<U1 1 a >\n", {"E201@1"}},
        {"message inside a list",
         "<S1F1 N x\n  <L 1 t\n    <S1F3 N y\n    >\n  >\n>\n",
         {"E202@3"}},
        {"no blank after the function", "<S1F1\n>\n", {"E203@1"}},
        {"empty stream: SF", "<SF P x\n>\n", {"E203@1"}},
        {"S1F1000 declares clsS1F1000, bodies say clsS2F0",
         "<S1F1000 N x\n>\n",
         {"E204@1", "E205@1"}},
        {"S1F2+ declares clsS1F2+", "<S1F2+ N x\n>\n", {"E204@1"}},
        {"leading zeros name the same class", "<S01F03 N x\n>\n", {}},
        {"stream above 127", "<S128F1 N x\n>\n", {"E205@1"}},
        {"function above 255", "<S1F256 N x\n>\n", {"E205@1"}},
        {"same stream and function twice", "<S1F1 N a\n>\n<S1F1 N b\n>\n", {"E206@3"}},
        {"stream split by another", "<S1F1 N a\n>\n<S2F1 N b\n>\n<S1F3 N c\n>\n", {"E207@5"}},
        {"stream 0 does not split a stream", "<S1F1 N a\n>\n<S0F5 N b\n>\n<S1F3 N c\n>\n", {}},
        {"no S9F11", "<S1F1 N a\n>\n", {"E208@0"}, true},
        {"MHEAD a single value", "<S9F11 N x\n  <BINARY 1 MHEAD >\n>\n", {"E208@1"}, true},
        {"MHEAD inside a list",
         "<S9F11 N x\n  <L 1 t\n    <BINARY 10 MHEAD >\n  >\n>\n",
         {"E208@1"},
         true},
        {"S9F11 with a string MHEAD", "<S9F11 N x\n  <A 10 MHEAD >\n>\n", {}, true},
        {"message text ending in a backslash", "<S1F1 N path C:\\\n>\n", {"E209@1"}},
        {"list text ending in a backslash", "<S1F1 N x\n  <L 0 dir\\\n  >\n>\n", {"E209@2"}},
        // Types, lengths, counts.
        {"unknown type", "<S1F1 N x\n  <X2 1 a >\n>\n", {"E301@2"}},
        {"lower-case type", "<S1F1 N x\n  <u4 1 a >\n>\n", {"E301@2"}},
        {"JIS8", "<S1F1 N x\n  <J8 4 a >\n>\n", {"E302@2"}},
        {"open and negative lengths",
         "<S1F1 N x\n  <L 4 t\n    <U1 n a >\n    <A 0 b >\n    <A -1 c >\n    <U4 x d >\n"
         "  >\n>\n",
         {"E303@3", "E303@4", "E303@5", "E303@6"}},
        {"count neither number nor n", "<S1F1 N x\n  <L x t\n  >\n>\n", {"E102@2", "E304@2"}},
        {"count beyond short", "<S1F1 N x\n  <L 40000 t\n  >\n>\n", {"E102@2", "E304@2"}},
        {"item beyond a SECS-II item", "<S1F1 N x\n  <U8 3000000 big >\n>\n", {"E305@2"}},
        {"the largest string", "<S1F1 N x\n  <A 16777215 big >\n>\n", {}},
        // Member names.
        {"no name", "<S1F1 N x\n  <U1 1 >\n>\n", {"E401@2"}},
        {"variable list without name", "<S1F1 N x\n  <L n\n    <U1 1 a >\n  >\n>\n", {"E401@2"}},
        {"a fixed list needs no name", "<S1F1 N x\n  <L 1\n    <U1 1 a >\n  >\n>\n", {}},
        {"Korean name", "<S1F1 N x\n  <U1 1 " + korean + " >\n>\n", {"E402@2"}},
        {"digit first, hyphen",
         "<S1F1 N x\n  <L 2 t\n    <U1 1 1abc >\n    <U1 1 a-b >\n  >\n>\n",
         {"E402@3", "E402@4"}},
        {"keyword, reserved, macro",
         "<S1F1 N x\n  <L 4 t\n    <U1 1 int >\n    <U1 1 a__b >\n    <U1 1 _Abc >\n"
         "    <U1 1 NULL >\n  >\n>\n",
         {"E403@3", "E403@4", "E403@5", "E403@6"}},
        {"duplicate in a list",
         "<S1F1 N x\n  <L 3 t\n    <U1 1 a >\n    <U2 1 a >\n    <A 2 a >\n"
         "  >\n>\n",
         {"E404@4", "E404@5"}},
        {"quoted words run together like a name",
         "<S1F1 N x\n  <L 2 t\n    <U1 1 \"a b\" >\n    <U1 1 a_b >\n  >\n>\n",
         {"E404@4"}},
        {"item named like its list sibling",
         "<S1F1 N x\n  <L 2 t\n    <U1 1 L1 >\n    <L 0 s\n    >\n  >\n>\n",
         {"E404@3"}},
        {"L2 without a second list",
         "<S1F1 N x\n  <L 2 t\n    <U1 1 L2 >\n    <L 0 s\n    >\n"
         "  >\n>\n",
         {}},
        {"item named like a count variable",
         "<S1F1 N x\n  <L 2 t\n    <U1 1 V >\n    <L n V\n      <U1 1 e >\n    >\n  >\n>\n",
         {"E404@4"}},
        {"same names in different structs",
         "<S1F1 N x\n  <L 2 t\n    <L 1 a\n      <U1 1 v >\n    >\n    <L 1 b\n"
         "      <U1 1 v >\n    >\n  >\n>\n",
         {}},
        {"class member named nResult", "<S1F1 N x\n  <U4 1 nResult >\n>\n", {"E405@2"}},
        {"class count variable i: for(int i=0; i<i; i++)",
         "<S1F1 N x\n  <L n i\n    <U1 1 e >\n  >\n>\n",
         {"E405@2"}},
        {"class member named like its class", "<S1F1 N x\n  <U1 1 clsS1F1 >\n>\n", {"E405@2"}},
        {"nested members may reuse the bodies' names",
         "<S1F1 N x\n  <L 3 t\n    <U4 1 nResult >\n    <U4 1 X >\n    <U4 1 i >\n  >\n>\n",
         {}},
        // A member named like a header type hides that type in its struct
        // and in the structs inside it; reached from outside it is harmless.
        {"type name as a member of its own type",
         "<S1F1 N x\n  <L 1 t\n    <U4 1 U4 >\n  >\n>\n",
         {"E405@3"}},
        {"type name as a member reached as L1.A",
         "<S1F1 P a\n  <L 1 B\n    <I8 5 A >\n  >\n>\n",
         {"W501@1"}},
        {"type name as the class's only member", "<S1F1 N a\n  <I8 5 A >\n>\n", {}},
        {"type name as the class's member of that type", "<S1F1 N a\n  <A 5 A >\n>\n", {"E405@2"}},
        {"type used later in the struct",
         "<S1F1 N a\n  <L 2 B\n    <I8 5 A >\n    <A 5 Name >\n  >\n>\n",
         {"E405@3"}},
        {"type used earlier in the struct",
         "<S1F1 N a\n  <L 2 B\n    <A 5 Name >\n    <I8 5 A >\n  >\n>\n",
         {"E405@4"}},
        {"type used in a struct inside, after the member",
         "<S1F1 N a\n  <L 2 B\n    <I4 1 B1 >\n    <L 1 C\n      <L 1 D\n"
         "        <BINARY 2 Bits >\n      >\n    >\n  >\n>\n",
         {"E405@3"}},
        {"type used in a struct inside, before the member",
         "<S1F1 N a\n  <L 2 B\n    <L 1 C\n      <BOOL 1 Flag >\n    >\n    <U1 1 B >\n"
         "  >\n>\n",
         {"E405@6"}},
        {"type used in a sibling struct",
         "<S1F1 N a\n  <L 2 B\n    <L 1 C\n      <I8 5 A >\n    >\n    <A 5 Name >\n"
         "  >\n>\n",
         {}},
        {"count variable named like a type used inside",
         "<S1F1 N a\n  <L 1 B\n    <L n F8\n      <F8 1 v >\n    >\n  >\n>\n",
         {"E405@3"}},
        {"type codes are not type names",
         "<S1F1 N a\n  <L 2 B\n    <BOOL 1 BOOL >\n"
         "    <BINARY 1 BINARY >\n  >\n>\n",
         {}},
        {"member named like a count constant",
         "<S1F1 N x\n  <L 2 t\n    <U1 1 Max_V >\n    <L n V\n      <U1 1 e >\n    >\n"
         "  >\n>\n",
         {"E405@3"}},
        {"member named like the count constant of a list at the top level",
         "<L n V\n  <U1 1 e >\n>\n<S1F1 N x\n  <L 1 t\n    <U1 1 Max_V >\n  >\n>\n",
         {"E201@1", "E405@6"}},
        {"loop letters up to z", NestedVariableLists(18), {}},
        {"loop letter past z", NestedVariableLists(19), {"E406@20"}},
        // Warnings.
        {"primary without reply", "<S1F1 P x\n>\n", {"W501@1"}},
        {"primary with reply", "<S1F1 P x\n>\n<S1F2 S y\n>\n", {}},
        {"secondary without primary", "<S1F2 S y\n>\n", {"W502@1"}},
        {"abort reply F0 has no primary", "<S1F0 S abort\n>\n", {}},
        {"parity", "<S1F2 P y\n>\n<S1F3 S z\n>\n", {"W503@1", "W503@3"}},
        {"no type letter", "<S1F1 Are You There\n>\n", {"W504@1"}},
        {"leading zeros",
         "<S1F1 N x\n  <L 2 t\n    <U1 01 a >\n    <A +5 b >\n  >\n>\n",
         {"W505@3", "W505@4"}},
    };
}

TEST(DefinitionChecker, EveryRuleByTable) {
    QSet<QString> covered;
    for (const Row& row : Rows()) {
        const QByteArray sml = row.withoutTarget ? row.sml : row.sml + kAutoReplyTarget;
        const QStringList found = Findings(sml);
        EXPECT_EQ(found.join(QLatin1Char(' ')).toStdString(),
                  row.expected.join(QLatin1Char(' ')).toStdString())
            << row.what;
        for (const QString& f : row.expected)
            covered.insert(f.section(QLatin1Char('@'), 0, 0));
    }
    // Every rule has its row.
    for (const RuleInfo* rule : DefinitionChecker::rules())
        EXPECT_TRUE(covered.contains(QLatin1String(rule->id))) << rule->id;
}

TEST(DefinitionChecker, MessagesNameTheNodeAndTheRule) {
    auto doc = DocumentFrom("<S1F1 N a\n>\n<S1F1 N b\n>\n" + kAutoReplyTarget);
    const std::vector<Diagnostic> found = CheckDefinitions(*doc);
    ASSERT_EQ(found.size(), 1u);
    const Diagnostic& d = found[0];
    EXPECT_EQ(d.node(), doc->topLevel(1));
    EXPECT_TRUE(d.isError());
    EXPECT_EQ(d.text(), QStringLiteral("같은 스트림과 펑션의 메시지 S1F1이(가) 앞에 이미 "
                                       "있습니다 (1행). 클래스가 두 번 선언됩니다. [E206]"));
    EXPECT_EQ(DiagnosticKey(d), QStringLiteral("S1F1"));
    EXPECT_EQ(DiagnosticPath(d), QStringLiteral("S1F1 N b"));
}

TEST(DefinitionChecker, PathsAndKeys) {
    const QByteArray korean = Korean("보고");
    auto doc = DocumentFrom("<S6F11 P Event\n  <L 2 Report\n    <U4 1 CEID >\n    <L 1 " + korean +
                            "\n      <U4 1 >\n    >\n  >\n>\n" + NestedVariableLists(20) +
                            kAutoReplyTarget);
    const std::vector<Diagnostic> found = CheckDefinitions(*doc);
    ASSERT_GE(found.size(), 3u);
    // The document's own finding comes first; here there is none, so the
    // first is the missing reply of S6F11.
    EXPECT_EQ(QLatin1String(found[0].rule), QLatin1String("W501"));
    EXPECT_EQ(DiagnosticPath(found[0]), QStringLiteral("S6F11 P Event"));
    EXPECT_EQ(QLatin1String(found[1].rule), QLatin1String("E401"));
    EXPECT_EQ(DiagnosticPath(found[1]),
              QStringLiteral("S6F11 P Event > L 2 Report > L 1 보고 > U4 1"));
    EXPECT_EQ(DiagnosticKey(found[1]), QStringLiteral("S6F11"));
    EXPECT_EQ(DiagnosticLine(found[1]), 5);
    // Deep down: the message, an ellipsis and the last four levels.
    const Diagnostic& deep = found.back();
    EXPECT_EQ(QLatin1String(deep.rule), QLatin1String("E406"));
    EXPECT_EQ(DiagnosticPath(deep),
              QStringLiteral("S1F1 N deep > … > L n v16 > L n v17 > L n v18 > L n v19"));
}

TEST(DefinitionChecker, DocumentFindingsComeFirst) {
    auto doc = DocumentFrom("<S1F1 P x\n>\n");
    const std::vector<Diagnostic> found = CheckDefinitions(*doc);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].node(), nullptr);
    EXPECT_EQ(QLatin1String(found[0].rule), QLatin1String("E208"));
    EXPECT_EQ(DiagnosticPath(found[0]), QString());
    EXPECT_EQ(DiagnosticKey(found[0]), QString());
    EXPECT_EQ(QLatin1String(found[1].rule), QLatin1String("W501"));
    const DiagnosticCounts counts = CountDiagnostics(found);
    EXPECT_EQ(counts.errors, 1);
    EXPECT_EQ(counts.warnings, 1);
}

// The structure rules mark exactly the nodes the structure check marks.
TEST(DefinitionChecker, StructureRulesAgreeWithTheStructureCheck) {
    for (const char* file :
         {PRAVIK_EXAMPLES "/host.sml", PRAVIK_TEST_DATA "/editing/mixed-editing.sml",
          PRAVIK_TEST_DATA "/codegen/compile/roundtrip.sml"}) {
        QFile f(QString::fromUtf8(file));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << file;
        auto doc = DocumentFrom(f.readAll());
        QSet<const SmlNode*> fromRules;
        for (const Diagnostic& d : CheckDefinitions(*doc))
            if (QByteArray(d.rule).startsWith("E1"))
                fromRules.insert(d.node());
        QSet<const SmlNode*> marked;
        for (const FaultyNode& n : CheckStructure(*doc).faulty)
            marked.insert(n.node);
        EXPECT_EQ(fromRules, marked) << file;
    }
}

// What the compile test builds passes without errors.
TEST(DefinitionChecker, ExamplesHaveNoErrors) {
    for (const char* file :
         {PRAVIK_EXAMPLES "/host.sml", PRAVIK_TEST_DATA "/codegen/compile/roundtrip.sml"}) {
        QFile f(QString::fromUtf8(file));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << file;
        auto doc = DocumentFrom(f.readAll());
        for (const Diagnostic& d : CheckDefinitions(*doc))
            EXPECT_FALSE(d.isError())
                << file << ": " << DiagnosticLine(d) << " " << d.text().toStdString();
    }
}

// A million levels: one walk with its own stack, each finding in constant time.
TEST(DefinitionChecker, DeepDocumentsAreWalkedIteratively) {
    const int depth = 300000;
    auto doc = DocumentFrom(NestedVariableLists(depth) + kAutoReplyTarget);
    const std::vector<Diagnostic> found = CheckDefinitions(*doc);
    ASSERT_EQ(found.size(), size_t(depth - 18));
    for (const Diagnostic& d : found)
        ASSERT_EQ(QLatin1String(d.rule), QLatin1String("E406"));
    EXPECT_EQ(DiagnosticPath(found.back()).count(QStringLiteral(" > ")), 5);
}

} // namespace
