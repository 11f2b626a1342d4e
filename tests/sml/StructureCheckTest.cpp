#include "sml/StructureCheck.h"
#include "document/SmlDocument.h"
#include "platform/PlatformError.h"
#include "sml/SmlReader.h"
#include "sml/SmlWriter.h"
#include "support/TempDir.h"

#include "support/DocumentEdits.h"
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace pravik;
using pravik::test::Append;
using pravik::test::Edit;
using pravik::test::TempDir;

namespace {
QByteArray Marks(const SmlDocument& doc) {
    QByteArray out;
    for (const SmlNode* n = doc.firstNode(); n; n = n->nextPreOrder())
        out += QByteArray::number(doc.imageIndexOf(n));
    return out;
}
// The check as the window runs it: its verdict becomes the tree's marks.
CheckResult CheckAndMark(SmlDocument& d) {
    CheckResult r = CheckStructure(d);
    d.setCheckMarks(r.nodes());
    return r;
}
SmlNode* Add(SmlDocument& d, SmlNode* parent, const char* text, NodeKind kind, int children = 0) {
    SmlNode* n = Append(d, parent, text, kind);
    for (int i = 0; i < children; ++i)
        Append(d, n, "A 1 c", NodeKind::Item);
    return n;
}
} // namespace

TEST(StructureCheck, ListRules) {
    SmlDocument d;
    SmlNode* m = Add(d, nullptr, "S1F1 P", NodeKind::Message);
    SmlNode* top = Add(d, m, "L 7 holder", NodeKind::List);
    Add(d, top, "L 0 ", NodeKind::List, 0);  // ok
    Add(d, top, "L 2 ", NodeKind::List, 2);  // ok
    Add(d, top, "L 2 ", NodeKind::List, 3);  // count differs
    Add(d, top, "L n x", NodeKind::List, 1); // ok
    Add(d, top, "L n", NodeKind::List, 0);   // n wants exactly one
    Add(d, top, "L n", NodeKind::List, 2);
    Add(d, top, "L N", NodeKind::List, 1); // case-sensitive
    const CheckResult r = CheckAndMark(d);
    // message, holder, L0, L2+2, L2+3, Ln+1, Ln, Ln+2, LN+1
    EXPECT_EQ(Marks(d), "0"
                        "1"
                        "1"
                        "122"
                        "4222"
                        "12"
                        "4"
                        "422"
                        "42");
    std::vector<qint64> at;
    for (const FaultyNode& f : r.faulty)
        at.push_back(f.absoluteIndex);
    EXPECT_EQ(at, (std::vector<qint64>{6, 12, 13, 16}));
    EXPECT_EQ(r.faulty[0].node->Text(), "L 2 ");
}

TEST(StructureCheck, MessagesItemsAndOddTexts) {
    SmlDocument d;
    SmlNode* two = Add(d, nullptr, "S1F1 P", NodeKind::Message);
    Add(d, two, "L 0 ", NodeKind::List);
    SmlNode* second = Add(d, two, "L 1 ", NodeKind::List);
    SmlNode* item = Add(d, second, "A 1 parent", NodeKind::Item);
    Add(d, item, "L 1", NodeKind::List); // a faulty child of a faulty item
    Add(d, nullptr, "S1F2 S", NodeKind::Message);
    SmlNode* bare = Add(d, nullptr, "S1F3 P", NodeKind::Message);
    Add(d, bare, "L", NodeKind::List); // empty count field
    Add(d, bare->child(0), "x", NodeKind::Item);
    const CheckResult r = CheckAndMark(d);
    EXPECT_TRUE(r.anyFaulty());
    EXPECT_EQ(Marks(d), "3"
                        "1"
                        "1"
                        "5"
                        "4"
                        "0"
                        "0"
                        "4"
                        "2");
    EXPECT_EQ(r.faulty.front().node, two);
    EXPECT_EQ(r.faulty.size(), 4u);
}

TEST(StructureCheck, CorrectionsClearMarks) {
    SmlDocument d;
    SmlNode* m = Add(d, nullptr, "S1F1 P", NodeKind::Message);
    SmlNode* l = Add(d, m, "L 2", NodeKind::List, 1);
    QSignalSpy layout(&d, &QAbstractItemModel::layoutChanged);
    EXPECT_TRUE(CheckAndMark(d).anyFaulty());
    EXPECT_EQ(d.imageIndexOf(l), ImageListError);
    EXPECT_EQ(layout.count(), 1); // one notification for the whole check
    Append(d, l, "A 1 c", NodeKind::Item);
    EXPECT_FALSE(CheckAndMark(d).anyFaulty());
    EXPECT_EQ(Marks(d), "0122");
    SmlDocument empty;
    EXPECT_FALSE(CheckStructure(empty).anyFaulty());
}

// A file nested a million levels deep is read, checked, counted and freed
// without recursion. Saving is exercised at a smaller depth because the
// format indents every level by two blanks, so the text grows with the
// square of the depth.
TEST(DeepNesting, MillionLevelsReadCheckedAndCounted) {
    const int depth = 1000000;
    QByteArray text = "<S1F1 P\r\n";
    text.reserve(depth * 10);
    for (int i = 0; i < depth; ++i)
        text += " <L 1 \r\n";
    text += " <A 1 leaf >\r\n";
    for (int i = 0; i < depth; ++i)
        text += " >\r\n";
    text += ">\r\n";
    SmlDocument doc;
    ParsedSml p = ParseSml(text);
    EXPECT_EQ(p.counts.messages, 1);
    EXPECT_EQ(p.counts.nodes, depth + 2);
    doc.resetTo(std::move(p.root), p.counts.nodes);
    EXPECT_FALSE(CheckStructure(doc).anyFaulty());
    EXPECT_EQ(doc.firstNode()->subtreeSize(), depth + 2);

    // Its text would take about two terabytes: saving refuses before it
    // touches the file, and a limited text ends with a whole line.
    TempDir dir;
    const QString path = dir.write("deep.sml", "previous");
    try {
        SaveDocument(path, doc);
        ADD_FAILURE() << "no error";
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.message(), "Cannot create file " + path);
    }
    EXPECT_EQ(dir.read("deep.sml"), "previous");
    EXPECT_FALSE(dir.exists("deep.sml.bak"));
    bool complete = true;
    const QByteArray head = WriteDocument(doc, 1 << 20, &complete);
    EXPECT_FALSE(complete);
    EXPECT_LE(head.size(), 1 << 20);
    EXPECT_TRUE(head.startsWith("<S1F1 P\r\n  <L 1 \r\n    <L 1 \r\n"));
    EXPECT_TRUE(head.endsWith("<L 1 \r\n"));

    // Save and read back at a depth whose text stays small.
    SmlDocument small;
    SmlNode* n = Append(small, nullptr, "S1F1 P", NodeKind::Message);
    for (int i = 0; i < 3000; ++i)
        n = Append(small, n, "L 1", NodeKind::List);
    const QByteArray saved = WriteDocument(small);
    ParsedSml back = ParseSml(saved);
    EXPECT_EQ(back.counts.nodes, 3001);
    doc.clear();
}
