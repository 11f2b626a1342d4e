#include "document/SmlDocument.h"
#include "platform/PlatformError.h"
#include "sml/SmlReader.h"
#include "support/TempDir.h"

#include "support/DocumentEdits.h"
#include <gtest/gtest.h>

using namespace pravik;
using pravik::test::Append;
using pravik::test::Edit;
using pravik::test::TempDir;

namespace {
// One line per node: level, image, text.
QByteArray Dump(const SmlDocument& doc) {
    QByteArray out;
    for (const SmlNode* n = doc.firstNode(); n; n = n->nextPreOrder())
        out += QByteArray::number(n->level()) + ' ' + QByteArray::number(doc.imageIndexOf(n)) +
               ' ' + n->Text() + '\n';
    return out;
}
QByteArray DumpOf(const QByteArray& text, ReadCounts* counts = nullptr) {
    SmlDocument doc;
    ParsedSml p = ParseSml(text);
    if (counts)
        *counts = p.counts;
    doc.resetTo(std::move(p.root), p.counts.nodes);
    return Dump(doc);
}
} // namespace

TEST(Reader, ReadsTheWritersFormat) {
    TempDir dir;
    const QString path =
        dir.write("a.sml", "<S1F2 S On Line Data\r\n  <L 2  \r\n    <A 6 MDLN >\r\n"
                           "    <A 6 SOFTREV >\r\n  >\r\n>\r\n\r\n");
    SmlDocument doc;
    const ReadCounts counts = ReadDocument(path, doc);
    EXPECT_EQ(Dump(doc), "0 0 S1F2 S On Line Data\n1 1 L 2\n2 2 A 6 MDLN\n2 2 A 6 SOFTREV\n");
    EXPECT_EQ(counts.messages, 1);
    EXPECT_EQ(counts.nodes, 4);
    EXPECT_EQ(doc.nodeCount(), 4);
    EXPECT_EQ(MessageCountText(counts.messages), QStringLiteral("전체 메시지: 1개"));
    EXPECT_EQ(ItemCountText(counts.nodes), QStringLiteral("전체 아이템: 4개"));
}

TEST(Reader, LineEndsAndNul) {
    const QByteArray expected = "0 0 S1F1 P\n1 2 A 1 x\n0 0 S1F2 S\n";
    EXPECT_EQ(DumpOf("<S1F1 P\r\n  <A 1 x >\r\n>\r\n<S1F2 S\r\n>\r\n"), expected);
    EXPECT_EQ(DumpOf("<S1F1 P\n  <A 1 x >\n>\n<S1F2 S\n>\n"), expected);
    EXPECT_EQ(DumpOf("<S1F1 P\r  <A 1 x >\r>\r<S1F2 S\r>\r"), expected);
    EXPECT_EQ(DumpOf("<S1F1 P\r\n  <A 1 x >\n>\r<S1F2 S"), expected); // mixed, no final line end
    EXPECT_EQ(DumpOf(QByteArray("<S1F1 P\r\n  <A 1 x >\r\n>\r\n<S1F2 S\r\n>\r\n\0<S3F3 P\r\n", 47)),
              expected);
}

TEST(Reader, TextAroundTheBrackets) {
    EXPECT_EQ(DumpOf("<A 1 x > tail\n"), "0 2 A 1 x\n");
    EXPECT_EQ(DumpOf("<A 1 x > trailing\n"), "0 2 A 1 x ng\n");
    EXPECT_EQ(DumpOf("<S1F1 P\n  junk <U1 1 y >\n"), "0 0 S1F1 P\n1 2 U1 1 y\n");
    EXPECT_EQ(DumpOf("<S1F1 P\n  <L 2 \t \x01\n"), "0 0 S1F1 P\n1 1 L 2\n");
    EXPECT_EQ(DumpOf("<\n"), "0 2 \n"); // an empty text is an item
    // A ">" before the "<": both positions are taken first, then four
    // characters go from the ">" on and six from the front, leaving nothing.
    EXPECT_EQ(DumpOf("<S1F1 P\n  x> <A 1\n"), "0 0 S1F1 P\n1 2 \n");
}

TEST(Reader, IndentationAndKinds) {
    ReadCounts counts;
    // Without indentation every node is a sibling.
    EXPECT_EQ(DumpOf("<S1F1 P x\n<L 1 \n<A 1 y >\n>\n", &counts),
              "0 0 S1F1 P x\n0 1 L 1\n0 2 A 1 y\n");
    EXPECT_EQ(counts.messages, 1);
    EXPECT_EQ(counts.nodes, 3);
    // An indented message-looking line is a message below the current node.
    EXPECT_EQ(DumpOf("<S1F1 P\n  <S9F9 x >\n>\n", &counts), "0 0 S1F1 P\n1 0 S9F9 x\n");
    EXPECT_EQ(counts.messages, 2);
    // Kinds are case-sensitive; indentation depth does not matter.
    EXPECT_EQ(DumpOf("<s1f1 P\n <l 1\n          <Lx\n"), "0 2 s1f1 P\n1 2 l 1\n2 1 Lx\n");
    // Lines without brackets do nothing.
    EXPECT_EQ(DumpOf("comment\n\n   \n", &counts), "");
    EXPECT_EQ(counts.nodes, 0);
}

TEST(Reader, StrayClosingLinesAreIgnored) {
    EXPECT_EQ(DumpOf(">\n>\n<S1F1 P\n>\n>\n>\n<S1F2 P\n  <A 1 x >\n>\n"),
              "0 0 S1F1 P\n0 0 S1F2 P\n1 2 A 1 x\n");
}

// The last lines of a file are processed too, so a last message without its
// closing ">" is kept, as is the last of a file of one-line messages.
TEST(Reader, KeepsTheLastMessageWithoutClosingLine) {
    EXPECT_EQ(DumpOf("<S1F1 P a\n>\n<S1F2 S b\n  <L 1 \n    <A 1 x >\n  >\n"),
              "0 0 S1F1 P a\n0 0 S1F2 S b\n1 1 L 1\n2 2 A 1 x\n");
    ReadCounts counts;
    EXPECT_EQ(DumpOf("<S1F1 P x>\n<S1F2 S y>\n<S2F1 P z>", &counts),
              "0 0 S1F1 P x\n0 0 S1F2 S y\n0 0 S2F1 P z\n");
    EXPECT_EQ(counts.messages, 3);
}

// When the file cannot be read nothing of the open document is lost.
TEST(Reader, UnreadableFileLeavesTheDocumentAlone) {
    TempDir dir;
    SmlDocument doc;
    ReadDocument(dir.write("a.sml", "<S1F1 P\n>\n"), doc);
    try {
        ReadDocument(dir.path("missing.sml"), doc);
        FAIL() << "no error";
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.message(), "Cannot open file " + dir.path("missing.sml"));
    }
    EXPECT_EQ(Dump(doc), "0 0 S1F1 P\n");
}

TEST(Reader, ReadingReplacesEverythingAndClearsMarks) {
    TempDir dir;
    SmlDocument doc;
    SmlNode* old = Append(doc, nullptr, "S9F9 old", NodeKind::Message);
    doc.setCheckMark(old, true);
    ReadDocument(dir.write("b.sml", "<S1F1 P\n  <L 0 \n  >\n>\n"), doc);
    EXPECT_EQ(Dump(doc), "0 0 S1F1 P\n1 1 L 0\n");
    ReadDocument(dir.write("empty.sml", ""), doc);
    EXPECT_EQ(doc.topLevelCount(), 0);
}
