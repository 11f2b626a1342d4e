#include "document/DocumentOperations.h"
#include "document/SmlDocument.h"

#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

using namespace pravik;

namespace {
std::vector<QByteArray> TopTexts(const SmlDocument& doc) {
    std::vector<QByteArray> out;
    for (int i = 0; i < doc.topLevelCount(); ++i)
        out.push_back(doc.topLevel(i)->Text());
    return out;
}
using Texts = std::vector<QByteArray>;
} // namespace

TEST(SortMessages, KeyThenTextWithSubtreesMoving) {
    SmlDocument doc;
    QAbstractItemModelTester tester(&doc, QAbstractItemModelTester::FailureReportingMode::Fatal);
    doc.appendNode(nullptr, "S2F1 P", ImageMessage);
    SmlNode* s1f2 = doc.appendNode(nullptr, "S1F2 S", ImageMessage);
    doc.appendNode(s1f2, "L 2 x", ImageList);
    doc.appendNode(s1f2->child(0), "A 1 first", ImageItem);
    doc.appendNode(s1f2->child(0), "A 1 second", ImageItem);
    doc.appendNode(nullptr, "S1F1 P", ImageMessage);
    doc.appendNode(nullptr, "S10F1 P", ImageMessage);
    doc.appendNode(nullptr, "S9F99 P", ImageMessage);
    doc.appendNode(nullptr, "S1F1 P b", ImageMessage);
    doc.appendNode(nullptr, "S1F1 P a", ImageMessage);
    doc.appendNode(nullptr, "junk", ImageMessage);
    SortMessages(doc);
    EXPECT_EQ(TopTexts(doc), (Texts{"junk", "S1F1 P", "S1F1 P a", "S1F1 P b", "S1F2 S", "S2F1 P",
                                    "S9F99 P", "S10F1 P"}));
    EXPECT_EQ(s1f2->child(0)->child(1)->Text(), "A 1 second");
    EXPECT_EQ(doc.nodeCount(), 11);
}

TEST(SortMessages, KeysBeyondSixDigitsAndSignsKeepEveryText) {
    SmlDocument doc;
    for (const char* t : {"S1000F1 P", "S-1F1 P", "S999F999 P", "S1F1 P"})
        doc.appendNode(nullptr, t, ImageMessage);
    SortMessages(doc);
    EXPECT_EQ(TopTexts(doc), (Texts{"S-1F1 P", "S1F1 P", "S999F999 P", "S1000F1 P"}));
}

TEST(ApplyMessageDialog, ComposesAddsEditsAndSorts) {
    SmlDocument doc;
    SmlNode* added = ApplyMessageDialog(doc, nullptr, DialogMode::AddSibling, {"6", "11", 0, ""});
    EXPECT_EQ(added->Text(), "S6F11 P ");
    SmlNode* second =
        ApplyMessageDialog(doc, added, DialogMode::AddSibling, {"1", "1", 0, "Are You There"});
    EXPECT_EQ(second->Text(), "S1F1 P Are You There");
    EXPECT_EQ(doc.topLevel(0), second); // sorted in front
    EXPECT_EQ(ApplyMessageDialog(doc, nullptr, DialogMode::AddChild, {"001", "2", 7, "x"})->Text(),
              "S001F2 x");

    // Editing a message marked in error clears the mark and re-sorts.
    doc.setImage(added, ImageMessageError);
    SmlNode* edited = ApplyMessageDialog(doc, added, DialogMode::Edit, {"1", "0", 1, "first"});
    EXPECT_EQ(edited, added);
    EXPECT_EQ(edited->Text(), "S1F0 S first");
    EXPECT_EQ(edited->ImageIndex(), ImageMessage);
    EXPECT_EQ(doc.topLevel(0), edited);
    EXPECT_EQ(doc.topLevelCount(), 3);
}

TEST(ApplyItemDialog, TextsKindsAndParentCounts) {
    SmlDocument doc;
    SmlNode* msg = doc.appendNode(nullptr, "S1F1 P", ImageMessage);
    SmlNode* status = doc.appendNode(msg, "L 1 Status", ImageList);
    doc.appendNode(status, "U4 1 A", ImageItem);

    // A child item turns "L 1 Status" into "L 2 Status".
    SmlNode* item = ApplyItemDialog(doc, status, DialogMode::AddChild, {6, "1", false, "SVID"});
    EXPECT_EQ(item->Text(), "I4 1 SVID");
    EXPECT_EQ(item->ImageIndex(), ImageItem);
    EXPECT_EQ(status->Text(), "L 2 Status");

    // A fixed list added beside a list gets the count 0; edited later it
    // writes its number of children.
    SmlNode* list =
        ApplyItemDialog(doc, status, DialogMode::AddSibling, {0, "99", false, "Reports"});
    EXPECT_EQ(list->Text(), "L 0 Reports");
    EXPECT_EQ(list->ImageIndex(), ImageList);
    EXPECT_EQ(list->parent(), msg);
    doc.appendNode(list, "A 1 x", ImageItem);
    doc.appendNode(list, "A 1 y", ImageItem);
    EXPECT_EQ(ApplyItemDialog(doc, list, DialogMode::Edit, {0, "", false, "R"})->Text(), "L 2 R");

    // "Not fixed" writes n whatever the length says; an "n" parent stays.
    SmlNode* open = ApplyItemDialog(doc, list, DialogMode::Edit, {0, "5", true, "Open"});
    EXPECT_EQ(open->Text(), "L n Open");
    ApplyItemDialog(doc, open, DialogMode::AddChild, {2, "n", true, ""});
    EXPECT_EQ(open->child(2)->Text(), "BINARY n ");
    EXPECT_EQ(open->Text(), "L n Open");

    // Editing an item into a list changes its kind.
    doc.setImage(item, ImageItemError);
    EXPECT_EQ(
        ApplyItemDialog(doc, item, DialogMode::Edit, {0, "", false, "now a list"})->ImageIndex(),
        ImageList);
    EXPECT_EQ(item->Text(), "L 0 now a list");
}

TEST(RefreshListCount, RewritesOnlyFixedLists) {
    SmlDocument doc;
    SmlNode* l = doc.appendNode(nullptr, "L 2", ImageList);
    RefreshListCount(doc, l, 3);
    EXPECT_EQ(l->Text(), "L 3 ");
    SmlNode* d = doc.appendNode(nullptr, "L 2 two words here", ImageListError);
    RefreshListCount(doc, d, 0);
    EXPECT_EQ(d->Text(), "L 0 two words here");
    EXPECT_EQ(d->ImageIndex(), ImageListError); // the mark stays
    SmlNode* n = doc.appendNode(nullptr, "L n x", ImageList);
    RefreshListCount(doc, n, 5);
    EXPECT_EQ(n->Text(), "L n x");
    SmlNode* item = doc.appendNode(nullptr, "L 2 item-kind", ImageItem);
    RefreshListCount(doc, item, 5);
    EXPECT_EQ(item->Text(), "L 2 item-kind");
}
