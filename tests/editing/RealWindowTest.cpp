// The editing commands on the real main window: its actions, selection
// handling and tree.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized" // see EditingFixture.h
#include "app/MainWindowFixture.h"
#pragma GCC diagnostic pop
#include "app/SmlTreeView.h"
#include "editing/TfmItemEdit.h"

#include <QLineEdit>
#include <QRadioButton>

using namespace pravik;
using namespace pravik::test;

TEST_F(MainWindowTest, EditingThroughTheWindowsActionsAndTree) {
    open("doc.sml", "<S1F1 P one\r\n  <L 2 a\r\n    <A 1 a1 >\r\n    <A 1 a2 >\r\n  >\r\n>\r\n"
                    "<S2F1 P two\r\n  <L 0 b\r\n  >\r\n>\r\n");
    showAndFocus();
    auto find = [this](const QByteArray& text) {
        for (SmlNode* n = w->document().firstNode(); n; n = n->nextPreOrder())
            if (n->Text() == text)
                return n;
        return static_cast<SmlNode*>(nullptr);
    };
    TfmItemEdit* dlg = w->itemEdit();
    prompter.answerDialog([dlg](QDialog* d) {
        QApplication::setActiveWindow(d);
        EXPECT_TRUE(QTest::qWaitForWindowActive(d));
        dlg->findChildren<QRadioButton*>().at(3)->click(); // BOOL
        QTest::keyClicks(dlg->lItemDesc, "Flag<1>");
        QTest::keyClick(dlg->lItemDesc, Qt::Key_Return);
        return d->result();
    });
    w->selectNode(find("A 1 a2"));
    w->action("ItemAdd")->trigger();
    ASSERT_TRUE(find("L 3 a"));
    EXPECT_EQ(w->selectedNode(), find("BOOL 1 Flag1"));
    EXPECT_EQ(w->statusPanelText(2), "BOOL 1 Flag1"); // the selection handling ran
    EXPECT_FALSE(enabled("ItemAddSub"));

    w->selectNode(find("A 1 a1"));
    w->action("ItemCut")->trigger();
    w->selectNode(find("L 0 b"));
    ASSERT_TRUE(enabled("ItemPaste"));
    w->action("ItemPaste")->trigger();
    EXPECT_EQ(w->selectedNode(), find("L 1 b")->child(0));
    EXPECT_FALSE(enabled("ItemPaste"));

    SmlNode* a2 = find("A 1 a2");
    EXPECT_FALSE(w->tree()->dragOverHandler(a2, find("L 2 a")));
    w->tree()->dragDropHandler(a2, find("L 1 b"), false);
    EXPECT_EQ(find("L 2 b")->child(1), a2);
    EXPECT_EQ(w->selectedNode(), a2);

    w->action("ItemCopy")->trigger();
    w->selectNode(find("L 1 a"));
    prompter.answerBox(Prompter::Answer::Yes);
    w->action("ItemDelete")->trigger();
    EXPECT_EQ(w->itemCommands()->clipboardNode(), nullptr);
    ASSERT_NE(w->selectedNode(), nullptr); // a neighbour, with its handling run
    EXPECT_EQ(w->statusPanelText(2), QString::fromLatin1(w->selectedNode()->Text()));
    EXPECT_FALSE(enabled("ItemPaste"));
    EXPECT_TRUE(w->isModified());
}
