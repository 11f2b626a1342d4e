// Which tree commands are offered, from the state alone: a document open,
// the tree's focus, the selected node's kind, the clipboard, the undo stack.
#include "EditingFixture.h"

#include <QAction>
#include <QUndoStack>

using namespace pravik;
using namespace pravik::test;

namespace {

class EnablingTest : public EditingTest {
protected:
    // The names of the enabled commands, without "Item", in menu order.
    std::string Enabled() const {
        std::string on;
        for (QAction* a : cmds.actions())
            if (a->isEnabled())
                on += (on.empty() ? "" : " ") + a->objectName().mid(4).toStdString();
        return on;
    }
};

TEST_F(EnablingTest, TheStateAloneDecidesWhichCommandsAreOffered) {
    Load("<S1F1 P\n  <L 1 l\n    <A 1 x>\n    >\n>\n<S2F1 P\n>\n");
    enum class Clip { Empty, Copied, Cut };
    const char* selections[] = {"none", "S1F1 P", "L 1 l", "A 1 x"};
    // The rows without a document, then with one: selection x clipboard x focus.
    const char* withDocument[4][2] = {
        // focused; not focused
        {"Add Find", "Find"},
        {"Add AddSub MoveUp MoveDown Edit Cut Copy Delete FullExpand FullCollapse Find", "Find"},
        {"Add AddSub MoveUp MoveDown Edit Cut Copy Delete FullExpand FullCollapse Find", "Find"},
        {"Add MoveUp MoveDown Edit Cut Copy Delete Find", "Find"},
    };
    for (const bool document : {false, true}) {
        for (int s = 0; s < 4; ++s) {
            for (const Clip clip : {Clip::Empty, Clip::Copied, Clip::Cut}) {
                for (const bool focused : {true, false}) {
                    SCOPED_TRACE(std::string(selections[s]) + (document ? " doc" : " no doc") +
                                 " clip " + std::to_string(int(clip)) +
                                 (focused ? " focused" : " not focused"));
                    cmds.setDocumentOpen(document);
                    cmds.setClipboard(clip == Clip::Empty ? nullptr : Find("S2F1 P"),
                                      clip == Clip::Cut);
                    host.selected_ = s == 0 ? nullptr : Find(selections[s]);
                    cmds.selectionChanged();
                    focused ? cmds.treeFocusEntered() : cmds.treeFocusLeft();
                    if (focused)
                        cmds.selectionChanged(); // the selection seen with the focus
                    std::string expected = document ? withDocument[s][focused ? 0 : 1] : "";
                    // Paste stands before Delete, or before Find when there is none.
                    if (document && focused && clip != Clip::Empty) {
                        const size_t at = expected.find(s == 0 ? " Find" : " Delete");
                        expected.insert(at, " Paste");
                    }
                    EXPECT_EQ(Enabled(), expected);
                }
            }
        }
    }
}

// Back in the tree, only "add" is offered until the selection changes; undo
// and redo follow the stack wherever the focus is.
TEST_F(EnablingTest, RegainedFocusAndTheUndoStack) {
    Load("<S1F1 P\n  <L 0 l\n  >\n>\n");
    Select("L 0 l");
    cmds.selectionChanged();
    cmds.treeFocusLeft();
    cmds.treeFocusEntered();
    EXPECT_EQ(Enabled(), "Add Find");
    cmds.selectionChanged();
    EXPECT_EQ(Enabled(), "Add AddSub MoveUp MoveDown Edit Cut Copy Delete Find");

    cmds.ItemMoveUpExecute(); // the first child: nothing to undo
    EXPECT_FALSE(cmds.ItemUndo()->isEnabled());
    host.prompter_.answerBox(Prompter::Answer::Yes);
    cmds.ItemDeleteExecute();
    cmds.treeFocusLeft();
    EXPECT_TRUE(cmds.ItemUndo()->isEnabled());
    EXPECT_EQ(cmds.ItemUndo()->text(), QStringLiteral("실행 취소: 삭제"));
    host.doc_.undoStack()->undo();
    EXPECT_FALSE(cmds.ItemUndo()->isEnabled());
    EXPECT_TRUE(cmds.ItemRedo()->isEnabled());
    EXPECT_EQ(cmds.ItemRedo()->text(), QStringLiteral("다시 실행: 삭제"));
}

} // namespace
