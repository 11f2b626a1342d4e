#include "document/DocumentOperations.h"
#include "document/SmlDocument.h"

#include "support/DocumentEdits.h"
#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

using namespace pravik;
using pravik::test::Append;
using pravik::test::Edit;

namespace {
std::vector<QByteArray> TopTexts(const SmlDocument& doc) {
    std::vector<QByteArray> out;
    for (int i = 0; i < doc.topLevelCount(); ++i)
        out.push_back(doc.topLevel(i)->Text());
    return out;
}
using Texts = std::vector<QByteArray>;

// The operations as one recorded edit each.
SmlNode* Apply(SmlDocument& doc, SmlNode* selected, DialogMode mode, const MessageFields& f) {
    return Edit(doc, [&](DocumentEditor& ed) { return ApplyMessageDialog(ed, selected, mode, f); });
}
SmlNode* ApplyItem(SmlDocument& doc, SmlNode* selected, DialogMode mode, const ItemFields& f) {
    return Edit(doc, [&](DocumentEditor& ed) { return ApplyItemDialog(ed, selected, mode, f); });
}
void Refresh(SmlDocument& doc, SmlNode* list, int n) {
    Edit(doc, [&](DocumentEditor& ed) { RefreshListCount(ed, list, n); });
}
} // namespace

TEST(SortMessages, KeyThenTextWithSubtreesMoving) {
    SmlDocument doc;
    QAbstractItemModelTester tester(&doc, QAbstractItemModelTester::FailureReportingMode::Fatal);
    Append(doc, nullptr, "S2F1 P", NodeKind::Message);
    SmlNode* s1f2 = Append(doc, nullptr, "S1F2 S", NodeKind::Message);
    Append(doc, s1f2, "L 2 x", NodeKind::List);
    Append(doc, s1f2->child(0), "A 1 first", NodeKind::Item);
    Append(doc, s1f2->child(0), "A 1 second", NodeKind::Item);
    Append(doc, nullptr, "S1F1 P", NodeKind::Message);
    Append(doc, nullptr, "S10F1 P", NodeKind::Message);
    Append(doc, nullptr, "S9F99 P", NodeKind::Message);
    Append(doc, nullptr, "S1F1 P b", NodeKind::Message);
    Append(doc, nullptr, "S1F1 P a", NodeKind::Message);
    Append(doc, nullptr, "junk", NodeKind::Message);
    Edit(doc, [](DocumentEditor& ed) { SortMessages(ed); });
    EXPECT_EQ(TopTexts(doc), (Texts{"junk", "S1F1 P", "S1F1 P a", "S1F1 P b", "S1F2 S", "S2F1 P",
                                    "S9F99 P", "S10F1 P"}));
    EXPECT_EQ(s1f2->child(0)->child(1)->Text(), "A 1 second");
    EXPECT_EQ(doc.nodeCount(), 11);
}

TEST(SortMessages, KeysBeyondSixDigitsAndSignsKeepEveryText) {
    SmlDocument doc;
    for (const char* t : {"S1000F1 P", "S-1F1 P", "S999F999 P", "S1F1 P"})
        Append(doc, nullptr, t, NodeKind::Message);
    Edit(doc, [](DocumentEditor& ed) { SortMessages(ed); });
    EXPECT_EQ(TopTexts(doc), (Texts{"S-1F1 P", "S1F1 P", "S999F999 P", "S1000F1 P"}));
}

TEST(ApplyMessageDialog, ComposesAddsEditsAndSorts) {
    SmlDocument doc;
    SmlNode* added = Apply(doc, nullptr, DialogMode::AddSibling, {"6", "11", 0, ""});
    EXPECT_EQ(added->Text(), "S6F11 P ");
    SmlNode* second = Apply(doc, added, DialogMode::AddSibling, {"1", "1", 0, "Are You There"});
    EXPECT_EQ(second->Text(), "S1F1 P Are You There");
    EXPECT_EQ(doc.topLevel(0), second); // sorted in front
    EXPECT_EQ(Apply(doc, nullptr, DialogMode::AddChild, {"001", "2", 7, "x"})->Text(), "S001F2 x");

    // Editing a message marked in error clears the mark and re-sorts.
    doc.setCheckMark(added, true);
    SmlNode* edited = Apply(doc, added, DialogMode::Edit, {"1", "0", 1, "first"});
    EXPECT_EQ(edited, added);
    EXPECT_EQ(edited->Text(), "S1F0 S first");
    EXPECT_EQ(doc.imageIndexOf(edited), ImageMessage);
    EXPECT_EQ(doc.topLevel(0), edited);
    EXPECT_EQ(doc.topLevelCount(), 3);
}

TEST(ApplyItemDialog, TextsKindsAndParentCounts) {
    SmlDocument doc;
    SmlNode* msg = Append(doc, nullptr, "S1F1 P", NodeKind::Message);
    SmlNode* status = Append(doc, msg, "L 1 Status", NodeKind::List);
    Append(doc, status, "U4 1 A", NodeKind::Item);

    // A child item turns "L 1 Status" into "L 2 Status".
    SmlNode* item = ApplyItem(doc, status, DialogMode::AddChild, {6, "1", false, "SVID"});
    EXPECT_EQ(item->Text(), "I4 1 SVID");
    EXPECT_EQ(doc.imageIndexOf(item), ImageItem);
    EXPECT_EQ(status->Text(), "L 2 Status");

    // A fixed list added beside a list gets the count 0; edited later it
    // writes its number of children.
    SmlNode* list = ApplyItem(doc, status, DialogMode::AddSibling, {0, "99", false, "Reports"});
    EXPECT_EQ(list->Text(), "L 0 Reports");
    EXPECT_EQ(doc.imageIndexOf(list), ImageList);
    EXPECT_EQ(list->parent(), msg);
    Append(doc, list, "A 1 x", NodeKind::Item);
    Append(doc, list, "A 1 y", NodeKind::Item);
    EXPECT_EQ(ApplyItem(doc, list, DialogMode::Edit, {0, "", false, "R"})->Text(), "L 2 R");

    // "Not fixed" writes n whatever the length says; an "n" parent stays.
    SmlNode* open = ApplyItem(doc, list, DialogMode::Edit, {0, "5", true, "Open"});
    EXPECT_EQ(open->Text(), "L n Open");
    ApplyItem(doc, open, DialogMode::AddChild, {2, "n", true, ""});
    EXPECT_EQ(open->child(2)->Text(), "BINARY n ");
    EXPECT_EQ(open->Text(), "L n Open");

    // Editing an item into a list changes its kind.
    doc.setCheckMark(item, true);
    EXPECT_EQ(
        doc.imageIndexOf(ApplyItem(doc, item, DialogMode::Edit, {0, "", false, "now a list"})),
        ImageList);
    EXPECT_EQ(item->Text(), "L 0 now a list");
}

TEST(RefreshListCount, RewritesOnlyFixedLists) {
    SmlDocument doc;
    SmlNode* l = Append(doc, nullptr, "L 2", NodeKind::List);
    Refresh(doc, l, 3);
    EXPECT_EQ(l->Text(), "L 3 ");
    SmlNode* d = Append(doc, nullptr, "L 2 two words here", NodeKind::List);
    doc.setCheckMark(d, true);
    Refresh(doc, d, 0);
    EXPECT_EQ(d->Text(), "L 0 two words here");
    EXPECT_EQ(doc.imageIndexOf(d), ImageListError); // the mark stays
    SmlNode* n = Append(doc, nullptr, "L n x", NodeKind::List);
    Refresh(doc, n, 5);
    EXPECT_EQ(n->Text(), "L n x");
    SmlNode* item = Append(doc, nullptr, "L 2 item-kind", NodeKind::Item);
    Refresh(doc, item, 5);
    EXPECT_EQ(item->Text(), "L 2 item-kind");
}
