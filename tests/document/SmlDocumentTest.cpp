#include "document/SmlDocument.h"

#include "support/DocumentEdits.h"
#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace pravik;
using pravik::test::Append;
using pravik::test::Edit;

namespace {

bool Move(SmlDocument& doc, SmlNode* node, SmlNode* parent, int row) {
    return Edit(doc, [&](DocumentEditor& ed) { return ed.moveNode(node, parent, row); });
}

// A document with the model tester watching every notification.
struct Fixture {
    SmlDocument doc;
    QAbstractItemModelTester tester{&doc, QAbstractItemModelTester::FailureReportingMode::Fatal};

    // Texts of the subtree in pre-order, "/"-joined with "(" ")" around children.
    QByteArray shape() const {
        QByteArray out;
        for (int i = 0; i < doc.topLevelCount(); ++i)
            out += shapeOf(doc.topLevel(i));
        return out;
    }
    static QByteArray shapeOf(const SmlNode* n) {
        QByteArray out = n->Text();
        if (n->childCount()) {
            out += '(';
            for (int i = 0; i < n->childCount(); ++i)
                out += (i ? "," : "") + shapeOf(n->child(i));
            out += ')';
        }
        return out + ';';
    }
};

} // namespace

TEST(SmlDocument, AppendInsertTakeKeepRowsParentsAndCount) {
    Fixture f;
    SmlNode* m = Append(f.doc, nullptr, "S1F1 P", NodeKind::Message);
    SmlNode* l = Append(f.doc, m, "L 2", NodeKind::List);
    Append(f.doc, l, "A 1 a", NodeKind::Item);
    Append(f.doc, l, "A 1 b", NodeKind::Item);
    EXPECT_EQ(f.doc.nodeCount(), 4);
    EXPECT_EQ(l->parent(), m);
    EXPECT_EQ(m->parent(), nullptr);
    EXPECT_EQ(l->child(1)->level(), 2);

    SmlNode* inserted = Edit(
        f.doc, [&](DocumentEditor& ed) { return ed.insertSubtree(l, 1, f.doc.cloneSubtree(l)); });
    EXPECT_EQ(f.doc.nodeCount(), 7);
    EXPECT_EQ(inserted->row(), 1);
    EXPECT_EQ(l->child(2)->row(), 2);
    EXPECT_EQ(f.shape(), "S1F1 P(L 2(A 1 a;,L 2(A 1 a;,A 1 b;);,A 1 b;););");

    QSignalSpy removed(&f.doc, &SmlDocument::nodesAboutToBeRemoved);
    Edit(f.doc, [&](DocumentEditor& ed) { ed.removeNode(inserted); });
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(inserted->childCount(), 2);
    EXPECT_EQ(inserted->parent(), nullptr);
    EXPECT_EQ(f.doc.nodeCount(), 4);
    EXPECT_EQ(l->child(1)->Text(), "A 1 b");
    EXPECT_EQ(l->child(1)->row(), 1);
    EXPECT_EQ(f.doc.absoluteIndexOf(l->child(1)), 3);
    EXPECT_EQ(f.doc.nodeAtAbsoluteIndex(2), l->child(0));
}

TEST(SmlDocument, MoveWithinAndAcrossParents) {
    Fixture f;
    SmlNode* a = Append(f.doc, nullptr, "S1F1 a", NodeKind::Message);
    SmlNode* b = Append(f.doc, nullptr, "S1F2 b", NodeKind::Message);
    SmlNode* l = Append(f.doc, a, "L 3", NodeKind::List);
    SmlNode* x = Append(f.doc, l, "x", NodeKind::Item);
    Append(f.doc, l, "y", NodeKind::Item);
    SmlNode* z = Append(f.doc, l, "z", NodeKind::Item);

    EXPECT_TRUE(Move(f.doc, z, l, 0)); // to the front
    EXPECT_EQ(f.shape(), "S1F1 a(L 3(z;,x;,y;););S1F2 b;");
    EXPECT_TRUE(Move(f.doc, z, l, 3)); // to the end, row counted before the move
    EXPECT_EQ(f.shape(), "S1F1 a(L 3(x;,y;,z;););S1F2 b;");
    EXPECT_TRUE(Move(f.doc, x, b, 0)); // to another parent
    EXPECT_EQ(f.shape(), "S1F1 a(L 3(y;,z;););S1F2 b(x;);");
    EXPECT_EQ(x->parent(), b);
    EXPECT_EQ(l->child(0)->row(), 0);
    EXPECT_FALSE(Move(f.doc, a, l, 0)); // never into its own subtree
    EXPECT_TRUE(Move(f.doc, b, nullptr, 0));
    EXPECT_EQ(f.doc.topLevel(0), b);
    EXPECT_EQ(f.doc.nodeCount(), 6);
}

TEST(SmlDocument, ReorderKeepsPersistentIndexes) {
    Fixture f;
    SmlNode* a = Append(f.doc, nullptr, "a", NodeKind::Message);
    SmlNode* b = Append(f.doc, nullptr, "b", NodeKind::Message);
    SmlNode* c = Append(f.doc, nullptr, "c", NodeKind::Message);
    SmlNode* child = Append(f.doc, a, "L 0", NodeKind::List);
    QPersistentModelIndex pa(f.doc.indexOf(a)), pchild(f.doc.indexOf(child));
    Edit(f.doc, [&](DocumentEditor& ed) { ed.reorderTopLevel({c, a, b}); });
    EXPECT_EQ(f.doc.topLevel(0), c);
    EXPECT_EQ(f.doc.nodeFromIndex(pa), a);
    EXPECT_EQ(pa.row(), 1);
    EXPECT_EQ(f.doc.nodeFromIndex(pchild), child);
    EXPECT_EQ(pchild.parent().row(), 1);
}

TEST(SmlDocument, ContentChangesAreAnnounced) {
    Fixture f;
    SmlNode* m = Append(f.doc, nullptr, "S1F1 P", NodeKind::Message);
    QSignalSpy changed(&f.doc, &QAbstractItemModel::dataChanged);
    Edit(f.doc, [&](DocumentEditor& ed) { ed.setText(m, "S1F2 S"); });
    f.doc.setCheckMark(m, true);
    f.doc.setCut(m, true);
    EXPECT_EQ(changed.count(), 3);
    EXPECT_EQ(f.doc.data(f.doc.indexOf(m), SmlDocument::TextRole).toByteArray(), "S1F2 S");
    EXPECT_EQ(f.doc.data(f.doc.indexOf(m), SmlDocument::ImageIndexRole).toInt(), 3);
    EXPECT_TRUE(f.doc.data(f.doc.indexOf(m), SmlDocument::CutRole).toBool());
    EXPECT_EQ(m->Kind(), NodeKind::Message);
    f.doc.clear();
    EXPECT_EQ(f.doc.topLevelCount(), 0);
    EXPECT_EQ(f.doc.nodeCount(), 0);
}

TEST(SmlDocument, DisplaysCp949TextDecoded) {
    SmlDocument doc;
    // "표시" in CP949.
    SmlNode* m = Append(doc, nullptr, QByteArray("S1F1 P \xC7\xA5\xBD\xC3"), NodeKind::Message);
    EXPECT_EQ(doc.data(doc.indexOf(m)).toString(), QStringLiteral("S1F1 P 표시"));
}

TEST(SmlNode, MillionDeepTreeIsWalkedCopiedAndFreedWithoutRecursion) {
    DetachedSubtree top = DetachedSubtree::createRoot();
    SmlNode* root = top.appendChild(top.get(), "S1F1 P", NodeKind::Message);
    SmlNode* tail = root;
    for (int i = 0; i < 1000000; ++i)
        tail = top.appendChild(tail, "L 1", NodeKind::List);
    EXPECT_EQ(root->subtreeSize(), 1000001);
    SmlDocument doc;
    doc.resetTo(std::move(top), 1000001);
    DetachedSubtree copy = doc.cloneSubtree(doc.topLevel(0));
    EXPECT_EQ(copy->subtreeSize(), 1000001);
    qint64 walked = 0;
    for (SmlNode* n = doc.firstNode(); n; n = n->nextPreOrder())
        ++walked;
    EXPECT_EQ(walked, 1000001);
    doc.clear(); // frees a million-deep tree
    copy.reset();
}
