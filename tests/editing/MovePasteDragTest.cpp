// Move, cut, copy, paste and drag and drop.
#include "EditingFixture.h"

using namespace pravik;
using namespace pravik::test;

namespace {

const QByteArray kDoc = "<S1F1 P one\n  <L 3 a\n    <A 1 a1>\n    <A 1 a2>\n    <A 1 a3>\n  >\n"
                        "  <L 1 b\n    <U4 1 b1>\n  >\n>\n"
                        "<S2F1 P two\n  <L n c\n    <BOOL 1 c1>\n  >\n>\n"
                        "<S3F1 P three\n  <L 2 d\n    <L 1 e\n      <I4 1 e1>\n    >\n"
                        "    <F8 1 d2>\n  >\n>\n"; // 15 nodes

class MoveTest : public EditingTest {
protected:
    void SetUp() override { Load(kDoc); }
    void PasteOn(const char* target) {
        Select(target);
        cmds.ItemPasteExecute();
    }
    void PasteRefusedOn(const char* target) {
        host.prompter_.answerBox(Prompter::Answer::Ok);
        PasteOn(target);
        ASSERT_EQ(host.prompter_.boxes.size(), 1u) << target;
        EXPECT_EQ(host.prompter_.boxes[0].text, QStringLiteral("아이템을 붙일수 없습니다."));
        EXPECT_EQ(host.prompter_.boxes[0].icon, Prompter::Icon::Error);
        host.prompter_.boxes.clear();
    }
};

} // namespace

TEST_F(MoveTest, UpAndDownAmongSiblings) {
    const std::string before = Dump();
    Select("A 1 a1");
    cmds.ItemMoveUpExecute();
    Select("A 1 a3");
    cmds.ItemMoveDownExecute();
    EXPECT_EQ(Dump(), before);
    EXPECT_FALSE(host.doc_.isModified());

    Select("A 1 a2");
    cmds.ItemMoveDownExecute(); // the second-to-last becomes the last
    Select("A 1 a1");
    cmds.ItemMoveDownExecute();
    EXPECT_EQ(Dump().substr(0, 52), "S1F1 P one\n  L 3 a\n    A 1 a3\n    A 1 a1\n    A 1 a2\n");
    EXPECT_EQ(host.selected_, Find("A 1 a1"));
    EXPECT_TRUE(host.doc_.isModified());

    Select("S2F1 P two"); // messages stay out of order until the next sort
    cmds.ItemMoveUpExecute();
    EXPECT_EQ(host.doc_.topLevel(0)->Text(), "S2F1 P two");
    EXPECT_EQ(host.doc_.topLevel(0)->child(0)->Text(), "L n c");
}

TEST_F(MoveTest, CopiesPasteAgainAndAgainKeepingErrorMarks) {
    Select("L 3 a");
    cmds.ItemCopyExecute();
    PasteOn("S2F1 P two");
    EXPECT_EQ(host.selected_, Find("S2F1 P two")->child(1));
    PasteOn("S2F1 P two");
    EXPECT_EQ(Find("S2F1 P two")->childCount(), 3);
    EXPECT_EQ(Find("S2F1 P two")->child(2)->child(2)->Text(), "A 1 a3");
    EXPECT_EQ(host.state_.ClipboardNode, Find("L 3 a")); // the original stays
    EXPECT_EQ(host.doc_.nodeCount(), 15 + 8);

    host.doc_.setCheckMark(Select("A 1 a2"), true);
    cmds.ItemCopyExecute();
    PasteOn("L 1 b");
    EXPECT_EQ(host.doc_.imageIndexOf(Find("L 2 b")->child(1)), ImageItemError);

    Select("S1F1 P one"); // a message copy joins the top level in key order
    cmds.ItemCopyExecute();
    PasteOn("F8 1 d2");
    EXPECT_EQ(host.doc_.topLevel(1)->Text(), "S1F1 P one");
    EXPECT_EQ(host.selected_, host.doc_.topLevel(1));
    EXPECT_TRUE(host.doc_.isModified());
}

TEST_F(MoveTest, CutsMoveTheNodeItselfAndCountsFollow) {
    SmlNode* a3 = Select("A 1 a3");
    cmds.ItemCutExecute();
    EXPECT_TRUE(a3->IsCut());
    EXPECT_FALSE(host.doc_.isModified());
    PasteOn("L 1 b");
    EXPECT_EQ(Find("L 2 b")->child(1), a3);
    EXPECT_TRUE(Find("L 2 a"));
    EXPECT_EQ(host.selected_, a3);
    EXPECT_FALSE(a3->IsCut());
    EXPECT_EQ(host.state_.ClipboardNode, nullptr);
    EXPECT_EQ(host.commands[QStringLiteral("ItemPaste")], false);

    Select("A 1 a1"); // onto its own parent: the last child, same count
    cmds.ItemCutExecute();
    PasteOn("L 2 a");
    EXPECT_EQ(Find("L 2 a")->child(1)->Text(), "A 1 a1");

    Select("S2F1 P two");
    cmds.ItemMoveUpExecute();
    cmds.ItemCutExecute();
    PasteOn("I4 1 e1"); // a message moves to the top level and is sorted
    EXPECT_EQ(host.doc_.topLevel(1)->Text(), "S2F1 P two");
    EXPECT_EQ(host.selected_, host.doc_.topLevel(1));
}

TEST_F(MoveTest, RefusedPastesKeepACopyButDropACut) {
    Select("L 3 a");
    cmds.ItemCopyExecute();
    for (const char* target : {"U4 1 b1", "L 3 a", "A 1 a2"})
        PasteRefusedOn(target);
    EXPECT_EQ(host.state_.ClipboardNode, Find("L 3 a"));
    Select("L 2 d"); // the document's last subtree
    cmds.ItemCopyExecute();
    PasteRefusedOn("I4 1 e1");
    Select("S1F1 P one");
    cmds.ItemCopyExecute();
    PasteRefusedOn("S1F1 P one");

    SmlNode* a = Select("L 3 a");
    cmds.ItemCutExecute();
    PasteRefusedOn("BOOL 1 c1");
    EXPECT_FALSE(a->IsCut());
    EXPECT_EQ(host.state_.ClipboardNode, nullptr);
    EXPECT_EQ(host.commands[QStringLiteral("ItemPaste")], false);
    EXPECT_FALSE(host.doc_.isModified());
    EXPECT_EQ(host.doc_.nodeCount(), 15);
}

TEST_F(MoveTest, ListsPastedWithNothingSelectedGoNowhere) {
    Select("L 1 b");
    cmds.ItemCopyExecute();
    host.selected_ = nullptr;
    cmds.ItemPasteExecute();
    EXPECT_EQ(host.state_.ClipboardNode, Find("L 1 b"));
    Select("L 1 b");
    cmds.ItemCutExecute();
    host.selected_ = nullptr;
    cmds.ItemPasteExecute();
    EXPECT_EQ(Find("L 1 b")->parent(), host.doc_.topLevel(0));
    EXPECT_FALSE(Find("L 1 b")->IsCut());
    EXPECT_EQ(host.state_.ClipboardNode, nullptr);
    EXPECT_FALSE(host.doc_.isModified());
    EXPECT_EQ(host.doc_.nodeCount(), 15);
}

TEST_F(MoveTest, DragOverAcceptance) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"A 1 a1", "L 3 a", false}, // the node just before it
        {"A 1 a2", "L 3 a", true},
        {"A 1 a2", "A 1 a2", false},
        {"A 1 a2", "A 1 a3", true}, // onto an item
        {"L 1 b", "A 1 a3", false}, // the previous sibling's last descendant
        {"L 1 b", "U4 1 b1", false},
        {"L 1 b", "S1F1 P one", true},
        {"L 2 d", "I4 1 e1", false}, // the last subtree of the document
        {"L 1 e", "F8 1 d2", true},
        {"S2F1 P two", "S3F1 P three", true},
        {"S2F1 P two", "U4 1 b1", false},
        {"S2F1 P two", "A 1 a1", false},
        {"S3F1 P three", "S1F1 P one", true},
    };
    for (const auto& [dragged, target, accepted] : cases)
        EXPECT_EQ(cmds.TreeView1DragOver(Find(dragged), Find(target)), accepted)
            << dragged << " onto " << target;
    EXPECT_FALSE(cmds.TreeView1DragOver(Find("L 3 a"), nullptr));
}

TEST_F(MoveTest, DropsMoveBelowTheTargetAndRefreshCounts) {
    const std::string before = Dump();
    cmds.TreeView1DragDrop(Find("A 1 a1"), Find("L 3 a"));            // refused
    cmds.TreeView1DragDrop(Find("S2F1 P two"), Find("S3F1 P three")); // messages stay
    cmds.TreeView1DragDrop(Find("A 1 a3"), Find("L 3 a"));            // already last
    EXPECT_EQ(Dump(), before);
    EXPECT_FALSE(host.doc_.isModified());

    Select("L 3 a");
    cmds.ItemCutExecute();
    SmlNode* a2 = Select("A 1 a2");
    cmds.TreeView1DragDrop(a2, Find("L n c"));
    EXPECT_EQ(Find("L n c")->child(1), a2);
    EXPECT_EQ(host.selected_, a2);
    EXPECT_TRUE(Find("L 2 a")->IsCut()); // the clipboard is not touched
    EXPECT_TRUE(host.doc_.isModified());
    SmlNode* b = Find("L 1 b");
    cmds.TreeView1DragDrop(b, Find("F8 1 d2")); // an item may receive a drop
    EXPECT_EQ(Find("F8 1 d2")->child(0), b);
}
