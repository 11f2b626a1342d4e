// Move, cut, copy, paste and drag and drop.
#include "EditingFixture.h"

using namespace pravik;
using namespace pravik::test;

namespace {

const QByteArray kDoc = "<S1F1 P one\n"
                        "  <L 3 a\n    <A 1 a1>\n    <A 1 a2>\n    <A 1 a3>\n  >\n"
                        "  <L 1 b\n    <U4 1 b1>\n  >\n>\n"
                        "<S2F1 P two\n"
                        "  <L n c\n    <BOOL 1 c1>\n  >\n>\n"
                        "<S3F1 P three\n"
                        "  <L 2 d\n    <L 1 e\n      <I4 1 e1>\n    >\n    <F8 1 d2>\n  >\n>\n";

class MovePasteDragTest : public EditingTest {
protected:
    void SetUp() override { Load(kDoc); }
    void Paste() {
        cmds.ItemPasteExecute();
        CheckClipboardInTree();
    }
    // The clipboard never refers to a node outside the tree, and only it
    // may carry the cut mark.
    void CheckClipboardInTree() {
        bool found = host.state_.ClipboardNode == nullptr;
        for (SmlNode* n = host.doc_.firstNode(); n; n = n->nextPreOrder()) {
            found = found || n == host.state_.ClipboardNode;
            if (n->IsCut()) {
                EXPECT_EQ(n, host.state_.ClipboardNode) << n->Text().toStdString();
            }
        }
        EXPECT_TRUE(found);
    }
    void PasteRefused() {
        host.prompter_.answerBox(Prompter::Answer::Ok);
        Paste();
        ASSERT_EQ(host.prompter_.boxes.size(), 1u);
        EXPECT_EQ(host.prompter_.boxes[0].text, QStringLiteral("아이템을 붙일수 없습니다."));
        EXPECT_EQ(host.prompter_.boxes[0].icon, Prompter::Icon::Error);
        EXPECT_EQ(host.prompter_.boxes[0].buttons, Prompter::Buttons::Ok);
        host.prompter_.boxes.clear();
    }
};

} // namespace

TEST_F(MovePasteDragTest, MoveUpAndDownAmongSiblings) {
    const std::string before = Dump();
    Select("A 1 a1");
    cmds.ItemMoveUpExecute();
    Select("A 1 a3");
    cmds.ItemMoveDownExecute();
    EXPECT_EQ(Dump(), before);
    EXPECT_FALSE(host.state_.Modified);

    Select("A 1 a2");
    cmds.ItemMoveDownExecute(); // second-to-last becomes last
    EXPECT_EQ(Find("L 3 a")->child(2)->Text(), "A 1 a2");
    EXPECT_EQ(host.selected_->Text(), "A 1 a2");
    EXPECT_TRUE(host.state_.Modified);
    Select("A 1 a1");
    cmds.ItemMoveDownExecute();
    EXPECT_EQ(Find("L 3 a")->child(1)->Text(), "A 1 a1");
    cmds.ItemMoveUpExecute();
    cmds.ItemMoveUpExecute();
    EXPECT_EQ(Find("L 3 a")->child(0)->Text(), "A 1 a1");

    // Messages move with their subtrees and stay out of order until a sort.
    Select("S2F1 P two");
    cmds.ItemMoveUpExecute();
    EXPECT_EQ(host.doc_.topLevel(0)->Text(), "S2F1 P two");
    EXPECT_EQ(host.doc_.topLevel(0)->child(0)->Text(), "L n c");
    host.selected_ = nullptr;
    AnswerMessage("9", "1", 0, "new");
    cmds.ItemAddExecute();
    EXPECT_EQ(host.doc_.topLevel(0)->Text(), "S1F1 P one");
}

TEST_F(MovePasteDragTest, CopiedListPastesIntoAMessageAgainAndAgain) {
    Select("L 3 a");
    cmds.ItemCopyExecute();
    EXPECT_FALSE(host.state_.Modified);
    EXPECT_FALSE(Find("L 3 a")->IsCut());
    Select("S2F1 P two");
    Paste();
    SmlNode* copy = host.doc_.topLevel(1)->child(1);
    EXPECT_EQ(host.selected_, copy);
    EXPECT_NE(copy, Find("L 3 a"));
    Select("S2F1 P two");
    Paste();
    EXPECT_EQ(Dump().substr(Dump().find("S2F1")),
              "S2F1 P two\n  L n c\n    BOOL 1 c1\n"
              "  L 3 a\n    A 1 a1\n    A 1 a2\n    A 1 a3\n"
              "  L 3 a\n    A 1 a1\n    A 1 a2\n    A 1 a3\n"
              "S3F1 P three\n  L 2 d\n    L 1 e\n      I4 1 e1\n"
              "    F8 1 d2\n");
    EXPECT_EQ(Find("L 3 a")->parent(), host.doc_.topLevel(0)); // the original stays
    EXPECT_EQ(host.state_.ClipboardNode, Find("L 3 a"));
    EXPECT_EQ(host.doc_.nodeCount(), 15 + 8);
    EXPECT_TRUE(host.state_.Modified);
}

TEST_F(MovePasteDragTest, CopyIntoAFixedListRefreshesItsCountAndKeepsErrorMarks) {
    Select("A 1 a2");
    host.doc_.setImage(host.selected_, ImageItemError);
    cmds.ItemCopyExecute();
    Select("L 1 b");
    Paste();
    SmlNode* b = Find("L 2 b");
    ASSERT_TRUE(b);
    EXPECT_EQ(b->child(1)->Text(), "A 1 a2");
    EXPECT_EQ(b->child(1)->ImageIndex(), ImageItemError);
    EXPECT_FALSE(b->child(1)->IsCut());
}

TEST_F(MovePasteDragTest, CutItemMovesAndBothCountsFollow) {
    Select("A 1 a3");
    cmds.ItemCutExecute();
    SmlNode* moved = host.selected_;
    EXPECT_TRUE(moved->IsCut());
    EXPECT_FALSE(host.state_.Modified);
    Select("L 1 b");
    Paste();
    EXPECT_TRUE(Find("L 2 a"));
    ASSERT_TRUE(Find("L 2 b"));
    EXPECT_EQ(Find("L 2 b")->child(1), moved); // the same node, not a copy
    EXPECT_EQ(host.selected_, moved);
    EXPECT_FALSE(moved->IsCut());
    EXPECT_EQ(host.state_.ClipboardNode, nullptr);
    EXPECT_EQ(host.commands[QStringLiteral("ItemPaste")], false);
    EXPECT_TRUE(host.state_.Modified);
}

TEST_F(MovePasteDragTest, CutItemOntoItsOwnParentBecomesTheLastChild) {
    Select("A 1 a1");
    cmds.ItemCutExecute();
    Select("L 3 a");
    Paste();
    EXPECT_EQ(Find("L 3 a")->child(2)->Text(), "A 1 a1");
    EXPECT_TRUE(host.state_.Modified);
    // Already last: the document is unchanged and so is Modified.
    host.state_.Modified = false;
    Select("A 1 a1");
    cmds.ItemCutExecute();
    Select("L 3 a");
    Paste();
    EXPECT_FALSE(host.state_.Modified);
    EXPECT_EQ(host.state_.ClipboardNode, nullptr);
}

TEST_F(MovePasteDragTest, CutMessageMovesAndIsSorted) {
    Select("S2F1 P two");
    cmds.ItemMoveUpExecute(); // out of order
    cmds.ItemCutExecute();
    Select("I4 1 e1");
    host.state_.Modified = false;
    Paste();
    EXPECT_EQ(host.doc_.topLevel(1)->Text(), "S2F1 P two");
    EXPECT_EQ(host.selected_, host.doc_.topLevel(1));
    EXPECT_TRUE(host.state_.Modified);
    EXPECT_EQ(host.state_.ClipboardNode, nullptr);
}

TEST_F(MovePasteDragTest, CopiedMessageJoinsTheTopLevelInKeyOrder) {
    Select("S1F1 P one");
    cmds.ItemCopyExecute();
    Select("F8 1 d2");
    Paste();
    ASSERT_EQ(host.doc_.topLevelCount(), 4);
    EXPECT_EQ(host.doc_.topLevel(1)->Text(), "S1F1 P one");
    EXPECT_EQ(host.selected_, host.doc_.topLevel(1));
    EXPECT_EQ(host.doc_.topLevel(1)->childCount(), 2);
    EXPECT_EQ(host.doc_.nodeCount(), 15 + 7);
    // With the message itself (or a descendant) selected it is refused.
    Select("S1F1 P one");
    PasteRefused();
    EXPECT_EQ(host.doc_.nodeCount(), 22);
}

TEST_F(MovePasteDragTest, RefusalsKeepACopyButDropACut) {
    Select("L 3 a");
    cmds.ItemCopyExecute();
    for (const char* target : {"U4 1 b1", "L 3 a", "A 1 a2"}) {
        Select(target);
        PasteRefused();
        EXPECT_EQ(host.state_.ClipboardNode, Find("L 3 a"));
    }
    EXPECT_EQ(host.commands.count(QStringLiteral("ItemPaste")), 0u);

    // The last subtree of the document is no different.
    Select("L 2 d");
    cmds.ItemCopyExecute();
    Select("I4 1 e1");
    PasteRefused();
    Select("L 1 e");
    PasteRefused();

    Select("L 3 a");
    cmds.ItemCutExecute();
    EXPECT_FALSE(Find("L 2 d")->IsCut()); // the earlier copy is replaced
    Select("BOOL 1 c1");
    PasteRefused();
    EXPECT_FALSE(Find("L 3 a")->IsCut());
    EXPECT_EQ(host.state_.ClipboardNode, nullptr);
    EXPECT_EQ(host.commands[QStringLiteral("ItemPaste")], false);
    EXPECT_FALSE(host.state_.Modified);
    EXPECT_EQ(host.doc_.nodeCount(), 15);
}

TEST_F(MovePasteDragTest, ListPastedWithNothingSelectedGoesNowhere) {
    Select("L 1 b");
    cmds.ItemCopyExecute();
    host.selected_ = nullptr;
    Paste();
    EXPECT_EQ(host.doc_.nodeCount(), 15);
    EXPECT_EQ(host.state_.ClipboardNode, Find("L 1 b"));
    cmds.ItemCutExecute(); // nothing selected: no cut
    EXPECT_EQ(host.state_.ClipboardNode, Find("L 1 b"));
    Select("L 1 b");
    cmds.ItemCutExecute();
    host.selected_ = nullptr;
    Paste();
    EXPECT_EQ(Find("L 1 b")->parent(), host.doc_.topLevel(0));
    EXPECT_FALSE(Find("L 1 b")->IsCut());
    EXPECT_EQ(host.state_.ClipboardNode, nullptr);
    EXPECT_FALSE(host.state_.Modified);
    EXPECT_TRUE(host.prompter_.boxes.empty());
}

TEST_F(MovePasteDragTest, DragOverAcceptance) {
    struct Case {
        const char* dragged;
        const char* target;
        bool accepted;
    } cases[] = {
        {"A 1 a1", "L 3 a", false},    // the node just before it: its own list
        {"A 1 a2", "A 1 a1", false},   // the node just before it
        {"A 1 a2", "L 3 a", true},     // its parent, not right before it
        {"A 1 a2", "A 1 a2", false},   // itself
        {"A 1 a2", "A 1 a3", true},    // onto an item: accepted
        {"L 1 b", "A 1 a3", false},    // the last node of the previous sibling's subtree
        {"L 1 b", "U4 1 b1", false},   // its own child
        {"L 1 b", "S1F1 P one", true}, // its own message
        {"L 1 b", "S3F1 P three", true},
        {"L 2 d", "I4 1 e1", false}, // the last subtree of the document
        {"L 2 d", "F8 1 d2", false},
        {"L 1 e", "F8 1 d2", true},
        {"L n c", "BOOL 1 c1", false},
        {"S2F1 P two", "S3F1 P three", true}, // a message onto a message
        {"S2F1 P two", "U4 1 b1", false},     // the last node before it
        {"S2F1 P two", "A 1 a1", false},      // a message onto an item
        {"S2F1 P two", "L n c", false},       // its own subtree
        {"S1F1 P one", "S2F1 P two", true},
        {"S3F1 P three", "S1F1 P one", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cmds.TreeView1DragOver(Find(c.dragged), Find(c.target)), c.accepted)
            << c.dragged << " onto " << c.target;
    EXPECT_FALSE(cmds.TreeView1DragOver(nullptr, Find("L 3 a")));
    EXPECT_FALSE(cmds.TreeView1DragOver(Find("L 3 a"), nullptr));
}

TEST_F(MovePasteDragTest, DropsMoveUnderTheTargetAndRefreshCounts) {
    Select("L 3 a");
    cmds.ItemCutExecute();
    SmlNode* a2 = Find("A 1 a2");
    host.selected_ = a2;
    cmds.TreeView1DragDrop(a2, Find("L n c"));
    EXPECT_TRUE(Find("L 2 a"));
    EXPECT_EQ(Find("L n c")->child(1), a2);
    EXPECT_EQ(host.selected_, a2);
    EXPECT_TRUE(host.state_.Modified);
    EXPECT_EQ(host.state_.ClipboardNode, Find("L 2 a")); // untouched
    EXPECT_TRUE(Find("L 2 a")->IsCut());

    // Onto an item: the item gets a child, which the check will report.
    SmlNode* b = Find("L 1 b");
    cmds.TreeView1DragDrop(b, Find("F8 1 d2"));
    EXPECT_EQ(Find("F8 1 d2")->child(0), b);
    EXPECT_EQ(host.doc_.topLevel(0)->childCount(), 1);

    // The last child dropped on its own list changes nothing.
    host.state_.Modified = false;
    SmlNode* a3 = Find("A 1 a3");
    cmds.TreeView1DragDrop(a3, Find("L 2 a"));
    EXPECT_EQ(Find("L 2 a")->child(1), a3);
    EXPECT_FALSE(host.state_.Modified);
}

TEST_F(MovePasteDragTest, RefusedOrMessageDropsLeaveTheDocument) {
    const std::string before = Dump();
    cmds.TreeView1DragDrop(Find("A 1 a1"), Find("L 3 a"));
    cmds.TreeView1DragDrop(Find("L 2 d"), Find("I4 1 e1"));
    cmds.TreeView1DragDrop(Find("S2F1 P two"), Find("S3F1 P three"));
    cmds.TreeView1DragDrop(Find("S2F1 P two"), Find("A 1 a1"));
    EXPECT_EQ(Dump(), before);
    EXPECT_FALSE(host.state_.Modified);
}
