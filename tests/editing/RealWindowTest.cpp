// A few editing commands on the real main window: its actions, its
// selection handling and its tree.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized" // see EditingFixture.h
#include "app/MainWindowFixture.h"
#pragma GCC diagnostic pop
#include "app/SmlTreeView.h"
#include "editing/ItemCommands.h"
#include "editing/TfmItemEdit.h"

#include <QLineEdit>
#include <QRadioButton>

using namespace pravik;
using namespace pravik::test;

namespace {

const QByteArray kDoc =
    "<S1F1 P one\r\n  <L 2 a\r\n    <A 1 a1 >\r\n    <A 1 a2 >\r\n  >\r\n>\r\n\r\n"
    "<S2F1 P two\r\n  <L 0 b\r\n  >\r\n>\r\n\r\n";

class EditingOnMainWindow : public MainWindowTest {
protected:
    SmlNode* find(const QByteArray& text) const {
        for (SmlNode* n = w->document().firstNode(); n; n = n->nextPreOrder())
            if (n->Text() == text)
                return n;
        ADD_FAILURE() << "no node " << text.toStdString();
        return nullptr;
    }
};

} // namespace

TEST_F(EditingOnMainWindow, AddThroughTheActionSelectsTheNewNode) {
    open("doc.sml", kDoc);
    showAndFocus();
    w->selectNode(find("A 1 a2"));
    ASSERT_TRUE(enabled("ItemAdd"));
    TfmItemEdit* dlg = w->itemEdit();
    prompter.answerDialog([dlg](QDialog* d) {
        d->activateWindow();
        QApplication::setActiveWindow(d);
        EXPECT_TRUE(QTest::qWaitForWindowActive(d));
        dlg->findChildren<QRadioButton*>().at(3)->click(); // BOOL
        dlg->lItemLength->setFocus();
        QTest::keyClick(dlg->lItemLength, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(dlg->lItemLength, "0");
        QTest::keyClicks(dlg->lItemDesc, "Flag<1>");
        QTest::keyClick(dlg->lItemDesc, Qt::Key_Return);
        return d->result();
    });
    w->action("ItemAdd")->trigger();
    ASSERT_TRUE(find("L 3 a"));
    SmlNode* added = find("L 3 a")->child(2);
    EXPECT_EQ(added->Text(), "BOOL 1 Flag1");
    EXPECT_EQ(w->selectedNode(), added);
    EXPECT_EQ(w->statusPanelText(2), "BOOL 1 Flag1"); // the selection handling ran
    EXPECT_FALSE(enabled("ItemAddSub"));
    EXPECT_TRUE(w->state().Modified);
}

TEST_F(EditingOnMainWindow, CutPasteDisablesPasteAndDeleteEmptiesTheClipboard) {
    open("doc.sml", kDoc);
    showAndFocus();
    w->selectNode(find("A 1 a1"));
    w->action("ItemCut")->trigger();
    EXPECT_TRUE(find("A 1 a1")->IsCut());
    w->selectNode(find("L 0 b"));
    ASSERT_TRUE(enabled("ItemPaste"));
    w->action("ItemPaste")->trigger();
    EXPECT_EQ(find("L 1 b")->child(0)->Text(), "A 1 a1");
    EXPECT_EQ(w->selectedNode(), find("L 1 b")->child(0));
    EXPECT_TRUE(find("L 1 a"));
    EXPECT_FALSE(enabled("ItemPaste"));

    w->action("ItemCopy")->trigger();
    w->selectNode(find("L 1 a"));
    EXPECT_TRUE(enabled("ItemPaste"));
    prompter.answerBox(Prompter::Answer::Yes);
    w->action("ItemDelete")->trigger();
    EXPECT_EQ(w->document().topLevel(0)->childCount(), 0);
    EXPECT_EQ(w->state().ClipboardNode, nullptr);
    // The selection moved to a neighbour and its handling ran again.
    ASSERT_NE(w->selectedNode(), nullptr);
    EXPECT_EQ(w->statusPanelText(2), QString::fromLatin1(w->selectedNode()->Text()));
    EXPECT_FALSE(enabled("ItemPaste"));
}

TEST_F(EditingOnMainWindow, TreeDropsGoThroughTheDragRules) {
    open("doc.sml", kDoc);
    showAndFocus();
    SmlTreeView* tree = w->tree();
    SmlNode* a1 = find("A 1 a1");
    w->selectNode(a1);
    EXPECT_FALSE(tree->dragOverHandler(a1, find("L 2 a")));
    ASSERT_TRUE(tree->dragOverHandler(a1, find("L 0 b")));
    tree->dragDropHandler(a1, find("L 0 b"));
    EXPECT_EQ(find("L 1 b")->child(0), a1);
    EXPECT_TRUE(find("L 1 a"));
    EXPECT_EQ(w->selectedNode(), a1);
    EXPECT_TRUE(w->state().Modified);
}
