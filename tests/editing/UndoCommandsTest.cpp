// Every kind of edit through the real commands, taken back and made again:
// the saved bytes and the images match before and after each time.
#include "EditingFixture.h"

#include "document/DocumentEdit.h"
#include "sml/SmlWriter.h"
#include "sml/StructureCheck.h"

#include <QUndoStack>
#include <functional>
#include <vector>

using namespace pravik;
using namespace pravik::test;

namespace {

const QByteArray kDoc = "<S1F1 P one\n  <L 3 a\n    <A 1 a1>\n    <A 1 a2>\n    <A 1 a3>\n  >\n"
                        "  <L 5 b\n    <U4 1 b1>\n  >\n>\n"
                        "<S2F1 P two\n  <L n c\n    <BOOL 1 c1>\n  >\n>\n"
                        "<S3F1 P three\n  <L 2 d\n    <L 1 e\n      <I4 1 e1>\n    >\n"
                        "    <F8 1 d2>\n  >\n>\n";

class UndoCommandsTest : public EditingTest {
protected:
    void SetUp() override { Load(kDoc); }
    // The saved bytes and the tree. The check's marks are not part of it:
    // they are never recorded, and an undo or redo takes a changed node's
    // mark away rather than bring an old one back.
    std::string State() const {
        std::string tree = Dump();
        for (size_t at; (at = tree.find(" !")) != std::string::npos;)
            tree.erase(at, 2);
        return WriteDocument(host.doc_).toStdString() + tree;
    }
    void Paste(const char* source, const char* target, bool cut) {
        Select(source);
        cut ? cmds.ItemCutExecute() : cmds.ItemCopyExecute();
        Select(target);
        cmds.ItemPasteExecute();
    }
};

} // namespace

TEST_F(UndoCommandsTest, EveryKindOfEditIsUndoneAndRedoneExactly) {
    using Step = std::function<void()>;
    struct Case {
        const char* name;
        const char* undoText;
        Step prepare; // before the state to return to
        Step edit;
    };
    const Step nothing = [] {};
    const std::vector<Case> cases = {
        {"add message", "추가", nothing,
         [this] {
             AnswerMessage("2", "5", 0, "new");
             cmds.ItemAddExecute();
         }},
        {"add item", "추가", nothing,
         [this] {
             Select("A 1 a2");
             AnswerItem(1, "4", "x");
             cmds.ItemAddExecute();
         }},
        {"add sub-item", "하위 추가", nothing,
         [this] {
             Select("L 5 b");
             AnswerItem(0, "0", "sub");
             cmds.ItemAddSubExecute();
         }},
        {"edit message, sorted again", "수정", nothing,
         [this] {
             Select("S1F1 P one");
             AnswerMessage("9", "1", 0, "moved");
             cmds.ItemEditExecute();
         }},
        {"edit item: its error mark goes, the parent's wrong count is refreshed", "수정",
         [this] { host.doc_.setCheckMark(Find("U4 1 b1"), true); },
         [this] {
             Select("U4 1 b1");
             AnswerItem(8, "2", "changed");
             cmds.ItemEditExecute();
         }},
        {"delete", "삭제", nothing,
         [this] {
             Select("L 3 a");
             host.prompter_.answerBox(Prompter::Answer::Yes);
             cmds.ItemDeleteExecute();
         }},
        {"move up", "위로 이동", nothing,
         [this] {
             Select("A 1 a3");
             cmds.ItemMoveUpExecute();
         }},
        {"move down", "아래로 이동", nothing,
         [this] {
             Select("S1F1 P one");
             cmds.ItemMoveDownExecute();
         }},
        {"paste a copy", "붙이기", nothing, [this] { Paste("L 3 a", "S2F1 P two", false); }},
        {"paste a message copy, sorted", "붙이기", nothing,
         [this] { Paste("S3F1 P three", "A 1 a1", false); }},
        {"paste a cut", "붙이기", nothing, [this] { Paste("A 1 a1", "L 5 b", true); }},
        {"paste a cut message, sorted", "붙이기",
         [this] {
             Edit(host.doc_, [this](DocumentEditor& ed) {
                 ed.moveNode(Find("S3F1 P three"), nullptr, 1); // out of key order
             });
             host.doc_.undoStack()->clear(); // the state to return to
         },
         [this] { Paste("S3F1 P three", "A 1 a1", true); }},
        {"drop, moved", "끌어서 옮기기", nothing,
         [this] { cmds.TreeView1DragDrop(Find("F8 1 d2"), Find("L n c"), false); }},
        {"drop, copied", "끌어서 복사", nothing,
         [this] { cmds.TreeView1DragDrop(Find("L 2 d"), Find("S1F1 P one"), true); }},
        {"drop of a message, copied", "끌어서 복사", nothing,
         [this] { cmds.TreeView1DragDrop(Find("S1F1 P one"), Find("S3F1 P three"), true); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Load(kDoc);
        host.selected_ = nullptr;
        c.prepare();
        const std::string before = State();
        c.edit();
        const std::string after = State();
        ASSERT_NE(after, before) << "the edit changed nothing";
        QUndoStack* stack = host.doc_.undoStack();
        ASSERT_EQ(stack->count(), 1);
        EXPECT_EQ(stack->undoText(), QString::fromUtf8(c.undoText));
        EXPECT_TRUE(host.doc_.isModified());
        for (int round = 0; round < 2; ++round) {
            stack->undo();
            EXPECT_EQ(State(), before);
            EXPECT_FALSE(host.doc_.isModified());
            stack->redo();
            EXPECT_EQ(State(), after);
            EXPECT_TRUE(host.doc_.isModified());
        }
        EXPECT_TRUE(host.prompter_.allAnswersUsed());
    }
}

TEST_F(UndoCommandsTest, TheCutMarkAndTheClipboardNeverOutliveTheirNode) {
    // Undoing the add of the node that was then cut lets go of it.
    Select("L 5 b");
    AnswerItem(1, "3", "fresh");
    cmds.ItemAddSubExecute();
    SmlNode* fresh = Find("A 3 fresh");
    cmds.ItemCutExecute();
    ASSERT_EQ(host.state_.ClipboardNode, fresh);
    host.doc_.undoStack()->undo();
    EXPECT_EQ(host.state_.ClipboardNode, nullptr);
    // The step made again brings the node back without the cut mark.
    host.doc_.undoStack()->redo();
    EXPECT_EQ(Find("A 3 fresh"), fresh);
    EXPECT_FALSE(fresh->IsCut());
    EXPECT_EQ(host.state_.ClipboardNode, nullptr);

    // Deleting the cut node empties the clipboard; undo does not refill it,
    // and a paste then has nothing to paste.
    Select("A 3 fresh");
    cmds.ItemCutExecute();
    host.prompter_.answerBox(Prompter::Answer::Yes);
    cmds.ItemDeleteExecute();
    EXPECT_EQ(host.state_.ClipboardNode, nullptr);
    host.doc_.undoStack()->undo();
    EXPECT_EQ(Find("A 3 fresh"), fresh);
    EXPECT_FALSE(fresh->IsCut());
    Select("L 3 a");
    cmds.ItemPasteExecute();
    EXPECT_EQ(Find("L 3 a")->childCount(), 3);

    // A copied node whose add is undone leaves the clipboard too, so that a
    // later edit that frees the step's nodes leaves nothing pointing at them.
    Select("A 3 fresh");
    cmds.ItemCopyExecute();
    ASSERT_EQ(host.state_.ClipboardNode, fresh);
    host.doc_.undoStack()->undo(); // the add taken back
    EXPECT_EQ(host.state_.ClipboardNode, nullptr);
    Select("A 1 a1");
    AnswerItem(1, "1", "other");
    cmds.ItemAddExecute(); // drops the steps undone, freeing their nodes
    EXPECT_EQ(host.doc_.undoStack()->count(), 1);
    cmds.ItemPasteExecute(); // nothing to paste
    EXPECT_EQ(host.doc_.undoStack()->count(), 1);
    EXPECT_TRUE(host.prompter_.allAnswersUsed());
}

// The structure check's marks are data beside the tree: checking pushes no
// step, and neither undo nor redo brings back a mark the check set on a
// node before an edit changed it.
TEST_F(UndoCommandsTest, CheckMarksNeverEnterTheUndoStackNorComeBackWithAnUndo) {
    const auto check = [this] { host.doc_.setCheckMarks(CheckStructure(host.doc_).nodes()); };
    const auto marked = [this] {
        std::vector<QByteArray> out;
        for (SmlNode* n = host.doc_.firstNode(); n; n = n->nextPreOrder())
            if (host.doc_.isCheckMarked(n))
                out.push_back(n->Text());
        return out;
    };
    using Texts = std::vector<QByteArray>;
    struct Case {
        const char* name;
        std::function<void()> edit;
        Texts afterEdit, afterUndo, afterRedo;
    };
    const std::vector<Case> cases = {
        {"the faulty list edited",
         [this] {
             Select("L 5 b");
             AnswerItem(0, "", "b");
             cmds.ItemEditExecute();
         },
         {},
         {},
         {}},
        {"the faulty list deleted",
         [this] {
             Select("L 5 b");
             host.prompter_.answerBox(Prompter::Answer::Yes);
             cmds.ItemDeleteExecute();
         },
         {},
         {},
         {}},
        {"a child added to the faulty list: its count changes, its mark stays until checked",
         [this] {
             Select("L 5 b");
             AnswerItem(1, "1", "x");
             cmds.ItemAddSubExecute();
         },
         {"L 2 b"},
         {},
         {}},
        {"the faulty list moved: the same node, the same mark",
         [this] {
             Select("L 5 b");
             cmds.ItemMoveUpExecute();
         },
         {"L 5 b"},
         {"L 5 b"},
         {"L 5 b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Load("<S1F1 P one\n  <L 2 a\n    <A 1 a1>\n    <L 5 b\n      <U4 1 b1>\n    >\n  >\n>\n");
        check();
        ASSERT_EQ(marked(), (Texts{"L 5 b"}));
        QUndoStack* stack = host.doc_.undoStack();
        EXPECT_EQ(stack->count(), 0);
        EXPECT_FALSE(host.doc_.isModified());
        c.edit();
        ASSERT_EQ(stack->count(), 1);
        EXPECT_EQ(marked(), c.afterEdit);
        stack->undo();
        EXPECT_EQ(marked(), c.afterUndo);
        stack->redo();
        EXPECT_EQ(marked(), c.afterRedo);
        check(); // a fresh check tells the truth again
        stack->undo();
        EXPECT_EQ(stack->count(), 1);
        EXPECT_TRUE(host.prompter_.allAnswersUsed());
    }
}
